#include <QApplication>

#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    XWK window;
    window.show();
    return app.exec();
}
