// The About window opened from the real main window and driven with keys.
#include <QLabel>
#include <QtTest>
#include <cstdlib>

#include "tests/ui/window_fixture.h"

class AboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<XWK> main;

private slots:
    void init() { QVERIFY(main = OpenMainWindow()); }
    void cleanup() { main.reset(); }

    // Enter and Esc close the window wherever Tab or Shift+Tab leave the
    // focus, and press nothing else. A held key's auto-repeats are the tail
    // of a press: they neither close the window before the press nor reach
    // the main window after it.
    void keysClose() {
        const struct {
            const char* name;
            int tabs;  // Shift+Tab when negative
            Qt::Key key;
            const char* focus;
            bool held;
        } rows[] = {
            {"Enter on OK", 0, Qt::Key_Return, "cmdOK", true},
            {"Enter on the picture", 2, Qt::Key_Return, "Picture1", true},
            {"Esc on OK", 0, Qt::Key_Escape, "cmdOK", false},
            {"Esc on System Information", 1, Qt::Key_Escape, "cmdSysInfo", true},
            {"Esc on the picture", 2, Qt::Key_Escape, "Picture1", false},
            {"Tab wraps to OK, Enter", 3, Qt::Key_Return, "cmdOK", false},
            {"Shift+Tab to the picture, Enter", -1, Qt::Key_Return, "Picture1", false},
            {"Shift+Tab to System Information, Esc", -2, Qt::Key_Escape, "cmdSysInfo", false},
            {"Shift+Tab wraps to OK, Enter", -3, Qt::Key_Return, "cmdOK", false},
        };
        for (const auto& row : rows) {
            const QString text = row.key == Qt::Key_Return ? "\r" : "\x1b";
            QString focus;
            bool openAfterRepeat = true, closedByKey = false, otherWindow = false;
            const bool ran = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
                for (int i = 0; i < std::abs(row.tabs); ++i) {
                    QTest::keyClick(QApplication::focusWidget(), row.tabs > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                                    row.tabs > 0 ? Qt::NoModifier : Qt::ShiftModifier);
                }
                QWidget* focused = QApplication::focusWidget();
                focus = focused->objectName();
                // Should the key press another button, whatever that opens is
                // closed again, so that the test fails instead of waiting.
                ModalWatch stray;
                if (row.held) QTest::simulateEvent(focused, true, row.key, Qt::NoModifier, text, true);
                openAfterRepeat = about->isVisible();
                QTest::simulateEvent(focused, true, row.key, Qt::NoModifier, text, false);
                closedByKey = !about->isVisible();
                otherWindow = stray.seen;
            });
            QVERIFY2(ran && focus == row.focus && openAfterRepeat && closedByKey && !otherWindow, row.name);
            ModalWatch reopened;
            if (row.held) QTest::simulateEvent(main->Command3, true, row.key, Qt::NoModifier, text, true);
            QVERIFY2(main->isVisible() && !reopened.seen, row.name);
        }
    }

    // With no system information tool to be found here, each press ends in
    // the unavailability message over the About window, which stays open.
    void systemInformationButtonSaysUnavailable() {
        QVERIFY(WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            // Alt+S, then Enter on the focused button.
            for (bool byAccessKey : {true, false}) {
                ModalWatch message;
                about->cmdSysInfo->setFocus();
                QTest::keyClick(about->cmdSysInfo, byAccessKey ? Qt::Key_S : Qt::Key_Return,
                                byAccessKey ? Qt::AltModifier : Qt::NoModifier);
                QTRY_VERIFY(message.seen);
                QCOMPARE(message.parent, about);
                QCOMPARE(message.said, QString("Movelant: 此时系统信息不可用 (NoIcon, Ok)"));
                QVERIFY(about->isVisible());
                about->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(about));
            }
        }));
    }

    // Both windows centred as whole windows, title bar and borders included: the main
    // window on the screen, the About window over the moved main window. Under a window
    // manager a frame comes some time after its window is shown, and the window must
    // be centred with it.
    void opensCentredOverMovedMainWindow() {
        const bool framed = QGuiApplication::platformName() != "offscreen";
        const auto frame = [](QWidget* window) { return window->windowHandle()->frameGeometry(); };
        if (framed) QTRY_VERIFY(frame(main.get()).height() > main->height());
        const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
        QTRY_VERIFY((frame(main.get()).center() - screen).manhattanLength() <= 1);
        main->windowHandle()->setFramePosition(QPoint(40, 300));
        QVERIFY(WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            if (framed) QTRY_VERIFY(frame(about).height() > about->height());
            QTRY_VERIFY((frame(about).center() - frame(main.get()).center()).manhattanLength() <= 2);
        }));
        QCOMPARE(frame(main.get()).topLeft(), QPoint(40, 300));  // where the user put it
    }

    void fixedFrameAndEtchedSeparator() {
        XWKfrmAbout about(main.get());
        QCOMPARE(about.size(), QSize(371, 322));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(about.Picture1->pixmap().size(), QSize(350, 120));
        QCOMPARE(about.Picture1->contentsRect().size(), QSize(350, 120));
        const QImage picture = about.Picture1->grab().toImage();  // sunk: dark at the top, light at the bottom
        const auto lightness = [&](int y) { return picture.pixelColor(picture.width() / 2, y).lightness(); };
        QVERIFY(lightness(0) < lightness(picture.height() - 1));
        // The etched separator as drawn across the window, at any scale: over logical row 243
        // grey, over rows 244 and 245 white, the face above and below; whole device rows each.
        const QImage drawn = about.grab().toImage();
        const qreal scale = drawn.devicePixelRatio();
        const QColor face = about.palette().color(QPalette::Window);
        const QColor colours[] = {face, QColor(128, 128, 128), Qt::white, face};
        const int from[] = {242, 243, 244, 246, 247};  // each colour's first logical row, then the end
        for (int x : {0, about.width() / 2, about.width() - 2}) {
            for (int i = 0; i < 4; ++i) {
                for (int y = qRound(from[i] * scale); y < qRound(from[i + 1] * scale); ++y)
                    QCOMPARE(drawn.pixelColor(int(x * scale), y), colours[i]);
            }
        }
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
