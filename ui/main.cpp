#include <QApplication>

#include "ui/common/form_style.h"
#include "ui/common/qt_translation.h"
#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::UseFormStyle();
    ui::InstallQtChinese(app);
    XWK window;
    window.show();
    return app.exec();
}
