// Start-up to first paint: what the program's main does (QApplication,
// construct XWK, show it), then leave as soon as the window has really been
// painted once. Run as a whole process by startup.sh against startup_bare.
#include <QApplication>

#include "bench/first_paint_exit.h"
#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    XWK window;
    FirstPaintExit exit(&window);
    window.show();
    return app.exec();
}
