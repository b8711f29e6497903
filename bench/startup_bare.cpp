// The floor for startup_window: a Qt Widgets program that shows an empty
// window of the main window's client size (528 x 385) and leaves after its
// first paint, in exactly the same way.
#include <QApplication>
#include <QWidget>

#include "bench/first_paint_exit.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(528, 385);
    FirstPaintExit exit(&window);
    window.show();
    return app.exec();
}
