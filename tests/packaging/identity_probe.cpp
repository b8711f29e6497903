// Prints what the About window shows of the application identity: its title
// and its version line, one per line, in UTF-8.
#include <QApplication>
#include <QLabel>
#include <cstdio>

#include "ui/about/xwk_frm_about.h"
#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    XWK main;
    XWKfrmAbout about(&main);
    std::printf("%s\n%s\n", about.windowTitle().toUtf8().constData(), about.lblVersion->text().toUtf8().constData());
    return 0;
}
