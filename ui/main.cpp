#include <QApplication>
#include <cstdlib>

#include "ui/common/app_identity.h"
#include "ui/common/form_style.h"
#include "ui/common/qt_translation.h"
#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // On Wayland the window's application id; X11 desktops go by the
    // program's name, as the entry's StartupWMClass says.
    QGuiApplication::setDesktopFileName(ui::AppIdentity::DesktopId);
    ui::UseFormStyle();
    ui::InstallQtChinese(app);
    XWK window;
    window.show();
    const int status = app.exec();
    // Qt 6.4's Wayland client can wait for ever in its clean-up at exit, the
    // window already gone; nothing is left to save, so end here.
    if (QGuiApplication::platformName() == "wayland") std::_Exit(status);
    return status;
}
