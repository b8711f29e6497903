// The About window opened from the real main window and driven with keys.
#include <QLabel>
#include <QPushButton>
#include <QStyleOption>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "tests/ui/window_fixture.h"
#include "tests/ui/text_fit.h"
#include "ui/about/xwk_frm_about.h"
#include "ui/common/separator_line.h"
#include "ui/main/xwk.h"

class AboutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<XWK> main;

    static void Press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

private slots:
    void init() { QVERIFY(main = OpenMainWindow()); }
    void cleanup() { main.reset(); }

    void textsAreRebuiltAtEveryOpening() {
        for (int opening = 0; opening < 2; ++opening) {
            const AboutRun run = WhileAboutOpen(*main, [](XWKfrmAbout* about) {
                QCOMPARE(about->windowTitle(), QString("关于 Movelant"));
                QCOMPARE(about->lblVersion->text(), QString("版本 1.0.2"));
                QCOMPARE(about->lblTitle->text(), QString("Movelant"));
                QCOMPARE(QApplication::focusWidget(), about->cmdOK);
                QVERIFY(about->cmdOK->isDefault());
                QVERIFY(!about->windowIcon().isNull());
            });
            QVERIFY(run.ran);
        }
    }

    void closes_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Enter on OK") << 0 << int(Qt::Key_Return) << "cmdOK";
        QTest::newRow("Enter on the picture") << 2 << int(Qt::Key_Return) << "Picture1";
        QTest::newRow("Esc on OK") << 0 << int(Qt::Key_Escape) << "cmdOK";
        QTest::newRow("Esc on System Information") << 1 << int(Qt::Key_Escape) << "cmdSysInfo";
        QTest::newRow("Esc on the picture") << 2 << int(Qt::Key_Escape) << "Picture1";
        QTest::newRow("Tab wraps to OK, Enter") << 3 << int(Qt::Key_Return) << "cmdOK";
        QTest::newRow("Shift+Tab to the picture, Enter") << -1 << int(Qt::Key_Return) << "Picture1";
        QTest::newRow("Shift+Tab to System Information, Esc") << -2 << int(Qt::Key_Escape) << "cmdSysInfo";
        QTest::newRow("Shift+Tab wraps to OK, Enter") << -3 << int(Qt::Key_Return) << "cmdOK";
    }
    void closes() {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focus);
        bool closedByKey = false;
        bool otherWindow = false;
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            for (int i = 0; i < std::abs(tabs); ++i) {
                QTest::keyClick(QApplication::focusWidget(), tabs > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                                tabs > 0 ? Qt::NoModifier : Qt::ShiftModifier);
            }
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
            // Should the key press another button, whatever that opens is
            // closed again, so that the test fails instead of waiting.
            ModalWatch stray;
            Press(Qt::Key(key));
            closedByKey = !about->isVisible();
            otherWindow = stray.seen;
        });
        QVERIFY(run.ran);
        QVERIFY2(!otherWindow, "the key opened another window");
        QVERIFY(closedByKey);
    }

    // An auto-repeated Enter or Esc is the tail of a press that already
    // acted: it must not close the window again, nor reach the main window.
    void heldKeyClosesOnce_data() {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on OK") << 0 << int(Qt::Key_Return);
        QTest::newRow("Enter on the picture") << 2 << int(Qt::Key_Return);
        QTest::newRow("Esc on System Information") << 1 << int(Qt::Key_Escape);
    }
    void heldKeyClosesOnce() {
        QFETCH(int, tabs);
        QFETCH(int, key);
        bool openAfterRepeat = false;
        bool closedByPress = false;
        bool otherWindow = false;
        const QString text = key == Qt::Key_Return ? "\r" : "\x1b";
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            for (int i = 0; i < tabs; ++i) Press(Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            ModalWatch stray;
            QTest::simulateEvent(focus, true, key, Qt::NoModifier, text, true);
            openAfterRepeat = about->isVisible();
            QTest::simulateEvent(focus, true, key, Qt::NoModifier, text, false);
            closedByPress = !about->isVisible();
            otherWindow = stray.seen;
        });
        QVERIFY(run.ran);
        QVERIFY2(!otherWindow, "the key opened another window");
        QVERIFY(openAfterRepeat);
        QVERIFY(closedByPress);
        // The repeats that follow reach the main window's About button.
        ModalWatch reopened;
        QTest::simulateEvent(main->Command3, true, key, Qt::NoModifier, text, true);
        QVERIFY(main->isVisible());
        QVERIFY(!reopened.seen);
    }

    // With no system information tool to be found here, each press ends in
    // the unavailability message over the About window, which stays open.
    void systemInformationButtonSaysUnavailable_data() {
        QTest::addColumn<bool>("byAccessKey");
        QTest::newRow("Alt+S") << true;
        QTest::newRow("Enter on the focused button") << false;
    }
    void systemInformationButtonSaysUnavailable() {
        QFETCH(bool, byAccessKey);
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            for (int press = 0; press < 2; ++press) {
                ModalWatch message;
                if (byAccessKey) {
                    QTest::keyClick(about, Qt::Key_S, Qt::AltModifier);
                    QTRY_VERIFY(message.seen);
                } else {
                    about->cmdSysInfo->setFocus();
                    Press(Qt::Key_Return);
                    QVERIFY(message.seen);
                }
                QCOMPARE(message.parent, about);
                QCOMPARE(message.title, QString("Movelant"));
                QCOMPARE(message.text, QString("此时系统信息不可用"));
                QCOMPARE(message.icon, QMessageBox::NoIcon);
                QCOMPARE(message.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
                QVERIFY(about->isVisible());
                about->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(about));
            }
        });
        QVERIFY(run.ran);
    }

    void mainWindowTakesNoInputMeanwhile() {
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            QCOMPARE(about->windowModality(), Qt::ApplicationModal);
            QCOMPARE(about->parentWidget(), main.get());
            // Through the window system, where modality is enforced.
            QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, main->Command4->geometry().center());
            QVERIFY(main->isVisible());
            QVERIFY(about->isVisible());
        });
        QVERIFY(run.ran);
        QVERIFY(run.closed);
        QVERIFY(main->isVisible());
    }

    // Both windows with their frames, as the window system draws them.
    void opensCentredOverMovedMainWindow() {
        const bool framed = QGuiApplication::platformName() != "offscreen";
        const auto frame = [](QWidget* window) { return window->windowHandle()->frameGeometry(); };
        // The main window has been centred with its frame before it is moved.
        if (framed) QTRY_VERIFY(frame(main.get()).height() > main->height());
        const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
        QTRY_VERIFY((frame(main.get()).center() - screen).manhattanLength() <= 1);
        main->windowHandle()->setFramePosition(QPoint(40, 300));
        QPoint offset;
        const AboutRun run = WhileAboutOpen(*main, [&](XWKfrmAbout* about) {
            if (framed) QTRY_VERIFY(frame(about).height() > about->height());
            const auto off = [&] { return offset = frame(about).center() - frame(main.get()).center(); };
            QTRY_VERIFY(off().manhattanLength() <= 2);
        });
        QVERIFY(run.ran);
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    void fixedFrameAndEtchedSeparator() {
        XWKfrmAbout about(main.get());
        QCOMPARE(about.size(), QSize(371, 322));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(about.Picture1->size(), QSize(354, 124));
        QCOMPARE(about.Picture1->pixmap().size(), QSize(350, 120));
        QCOMPARE(about.Picture1->contentsRect().size(), QSize(350, 120));
        // The etched separator as drawn: one grey row, two white rows under
        // it, across the window, with the face colour above and below.
        const QImage drawn = about.grab().toImage();
        const QColor face = about.palette().color(QPalette::Window);
        const QColor rows[] = {face, QColor(128, 128, 128), Qt::white, Qt::white, face};
        for (int x : {0, about.width() / 2, about.width() - 2}) {
            for (int i = 0; i < 5; ++i) QCOMPARE(drawn.pixelColor(x, 242 + i), rows[i]);
        }
    }

    // With the fonts actually installed, no label or button text is clipped.
    void textsAreNotClipped() {
        XWKfrmAbout about(main.get());
        for (QLabel* label : {about.lblTitle, about.lblVersion, about.lblDescription, about.lblDisclaimer}) {
            QVERIFY2(TextInkFits(label), qPrintable(label->objectName()));
        }
        for (QPushButton* button : {about.cmdOK, about.cmdSysInfo}) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text().remove('&')) <= contents.width(),
                     qPrintable(button->objectName()));
        }
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
