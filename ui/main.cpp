#include <QApplication>

#include "ui/common/qt_translation.h"
#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::InstallQtChinese(app);
    XWK window;
    window.show();
    return app.exec();
}
