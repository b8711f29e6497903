// Writes the README's pictures of the windows, grabbed from the real windows
// on Qt's offscreen screen: docs/screenshots <output folder>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ui/main/xwk.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));

    // The reference gear, typed and calculated as a user would.
    XWK main;
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) return 1;
    for (const char* keys : {"", "", "20", "0"}) {
        QTest::keyClicks(QApplication::focusWidget(), keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    if (!main.grab().save(out.filePath("main-window.png"))) return 1;

    // The About window, grabbed while it is open modally over the main window.
    bool saved = false;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        if (!about || !QTest::qWaitForWindowExposed(about)) return;
        saved = about->grab().save(out.filePath("about-window.png"));
        about->close();
    });
    main.Command3_Click();
    return saved ? 0 : 1;
}
