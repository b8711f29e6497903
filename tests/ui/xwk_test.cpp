// The main window driven as a user drives it: real key and mouse events.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>
#include <vector>

#include "tests/ui/window_fixture.h"

class XwkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<XWK> w;

    // Shows a fresh window, active, as it stands right after start.
    void Open() { QVERIFY(w = OpenMainWindow()); }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    QString Results() const { return w->Text2->text() + ' ' + w->Text3->text(); }  // k and Wk
    void Enter() { QTest::keyClick(Focus(), Qt::Key_Return); }
    // Keys for ASCII; anything else is committed, as for the user, by an input method.
    void Type(const char* text) {
        if (QString(text).toLatin1() == text) return QTest::keyClicks(Focus(), text);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(Focus(), &commit);
    }
    void Alt(Qt::Key key) {
        QTest::keyClick(Focus(), key, Qt::AltModifier);
        QTest::qWait(200);  // access keys click through a 100 ms animated press
    }
    void VerifyStartState() {
        QCOMPARE(w->Combo1->currentText(), QString("1"));
        QCOMPARE(w->Combo2->currentText(), QString("20"));
        for (QLineEdit* box : {w->Text1, w->Text2, w->Text3, w->Text4, w->Text5}) QVERIFY(box->text().isEmpty());
        QCOMPARE(w->Check1->checkState(), Qt::Unchecked);
        QVERIFY(!w->Text5->isEnabled());
        QCOMPARE(w->Text5->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
        QCOMPARE(Focus(), w->Combo1);
    }

private slots:
    void init() { Open(); }
    void cleanup() {
        w.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The window starts with the defaults and the focus on the module. Enter walks the
    // inputs and calculates with their texts as typed: a module not in the list,
    // neither completed from it nor added to it.
    void startsThenEnterWalksInputsCalculatesAndResets() {
        VerifyStartState();
        QCOMPARE(w->size(), QSize(528, 385));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint && w->windowFlags() & Qt::WindowCloseButtonHint);
        for (QPushButton* b : {w->Command1, w->Command2, w->Command3, w->Command4}) QVERIFY(!b->isDefault());
        QCOMPARE(w->Frame2->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        Type("2");
        QCOMPARE(w->Combo1->currentText(), QString("2"));  // not completed to "2 "
        Type(".4");
        Enter();
        QCOMPARE(Focus(), w->Combo2);
        QCOMPARE(w->Combo1->count(), 16);
        Enter();
        QCOMPARE(Focus(), w->Text1);
        Type("20");
        Enter();
        QCOMPARE(Focus(), w->Text4);
        Type("0");
        Enter();
        QCOMPARE(Results(), QString("3 18.3851"));  // 2.4 x 7.660439...
        QCOMPARE(Focus(), w->Command2);
        Enter();
        VerifyStartState();
    }

    // A held key: one real press, the key's auto-repeats, one release. It
    // acts exactly as one press does. An auto-repeat alone, the tail of a
    // press made elsewhere, does nothing.
    void heldKeyActsOnce() {
        const struct {
            const char* name;
            Qt::Key key;
            const char* from;
            const char* focusAfter;  // nullptr: the window has closed
            const char* count;
            bool pressed = true;
        } rows[] = {
            {"Enter in the shift box calculates once", Qt::Key_Return, "Text4", "Command2", "3"},
            {"keypad Enter in the shift box calculates once", Qt::Key_Enter, "Text4", "Command2", "3"},
            {"Enter on Calculate calculates once", Qt::Key_Return, "Command1", "Command2", "3"},
            {"Enter on Reset resets once", Qt::Key_Return, "Command2", "Combo1", ""},
            {"space on Reset resets once", Qt::Key_Space, "Command2", "Combo1", ""},
            {"Enter in the angle box walks one step", Qt::Key_Return, "Combo2", "Text1", ""},
            {"Enter in the teeth box walks one step", Qt::Key_Return, "Text1", "Text4", ""},
            {"space on the switch turns it on once, types nothing", Qt::Key_Space, "Check1", "Text5", ""},
            {"Enter on the switch does nothing", Qt::Key_Return, "Check1", "Check1", ""},
            {"Esc quits once, at the first press", Qt::Key_Escape, "Text1", nullptr, ""},
            {"Esc repeated alone does not quit", Qt::Key_Escape, "Text1", "Text1", "", false},
        };
        for (const auto& row : rows) {
            Open();
            w->Text1->setText("20");
            w->Text4->setText("0");
            if (qstrcmp(row.from, "Command2") == 0) {
                w->Command1_Click();
                w->Text1->setText("20");  // Reset must empty it exactly once
            }
            QWidget* start = w->findChild<QWidget*>(row.from);
            start->setFocus();
            const QString text = row.key == Qt::Key_Space ? " " : row.key == Qt::Key_Escape ? "\x1b" : "\r";
            const Qt::KeyboardModifiers modifiers = row.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
            const auto target = [&] { return QApplication::focusWidget() ? QApplication::focusWidget() : w.get(); };
            struct : QObject {  // closed, not only hidden
                int count = 0;
                bool eventFilter(QObject*, QEvent* event) override {
                    return count += event->type() == QEvent::Close, false;
                }
            } closed;
            w->installEventFilter(&closed);
            if (row.pressed) QTest::simulateEvent(start, true, row.key, modifiers, text, false);
            for (int repeat = 0; repeat < 8; ++repeat) {
                if (row.pressed || repeat > 0) QTest::simulateEvent(target(), false, row.key, modifiers, text, true);
                QTest::simulateEvent(target(), true, row.key, modifiers, text, true);
            }
            if (row.pressed) QTest::simulateEvent(target(), false, row.key, modifiers, text, false);
            QVERIFY2(closed.count == (row.focusAfter ? 0 : 1) && w->isVisible() == bool(row.focusAfter), row.name);
            if (!row.focusAfter) continue;
            QVERIFY2(Focus()->objectName() == row.focusAfter && w->Text2->text() == row.count, row.name);
            QVERIFY2(w->Text1->text() == (qstrcmp(row.from, "Command2") == 0 ? "" : "20") && w->Text5->text().isEmpty(),
                     row.name);
            QVERIFY2(w->Check1->isChecked() == (qstrcmp(row.from, "Check1") == 0 && row.key == Qt::Key_Space),
                     row.name);
        }
    }

    // Tab and Shift+Tab walk the whole chain, each the other's reverse; the
    // count box is last while it is switched on, skipped while it is off.
    void tabOrder() {
        for (bool manualCount : {false, true}) {
            Open();
            w->Check1->setChecked(manualCount);
            w->Combo1->setFocus();
            QList<QWidget*> chain = {w->Combo1,   w->Combo2,   w->Text1, w->Text4, w->Command1, w->Command2,
                                     w->Command3, w->Command4, w->Text2, w->Text3, w->Check1};
            if (manualCount) chain << w->Text5;
            for (qsizetype i = 1; i <= chain.size(); ++i) {
                QTest::keyClick(Focus(), Qt::Key_Tab);
                QCOMPARE(Focus(), chain[i % chain.size()]);
            }
            for (qsizetype i = chain.size() - 1; i >= 0; --i) {
                QTest::keyClick(Focus(), Qt::Key_Backtab, Qt::ShiftModifier);
                QCOMPARE(Focus(), chain[i]);
            }
        }
    }

    // A drop-down box selects its whole text whenever it gets the focus, so
    // that typing replaces the value: "25" typed over "1" or "20" reads "25".
    void dropDownSelectsAllOnFocus() {
        QCOMPARE(w->Combo1->lineEdit()->selectedText(), QString("1"));
        const struct {
            const char* route;
            std::function<void()> go;
            const char* box;
        } routes[] = {
            {"Tab", [&] { QTest::keyClick(w->Combo1, Qt::Key_Tab); }, "Combo2"},
            {"Reset",
             [&] {
                 Type("3");
                 Alt(Qt::Key_R);
             },
             "Combo1"},
            {"closing its list",
             [&] {
                 w->Combo2->setFocus();
                 w->Combo2->lineEdit()->deselect();
                 w->Combo2->showPopup();
                 w->Combo2->hidePopup();
             },
             "Combo2"},
        };
        for (const auto& route : routes) {
            Open();
            route.go();
            auto* box = w->findChild<QComboBox*>(route.box);
            QVERIFY2(Focus() == box, route.route);
            Type("25");
            QVERIFY2(box->currentText() == "25", route.route);
        }
    }

    // The list opens on the item that the text names, or on none; Enter
    // takes the highlighted item, Esc keeps the text, and neither walks on,
    // calculates or quits. With the list closed, Esc quits again.
    void dropDownList() {
        const struct {
            const char* box;
            const char* typed;  // nullptr: the text at start
            Qt::Key open;       // F4, or Down with Alt
            int highlighted;
            std::vector<Qt::Key> keys;
            const char* textAfter;
        } cases[] = {
            {"Combo1", nullptr, Qt::Key_Down, 0, {Qt::Key_Escape}, "1"},
            {"Combo1", nullptr, Qt::Key_F4, 0, {Qt::Key_Return}, "1 "},
            {"Combo2", nullptr, Qt::Key_F4, 3, {Qt::Key_Enter}, "20"},
            {"Combo2", nullptr, Qt::Key_Down, 3, {Qt::Key_Down, Qt::Key_Return}, "22.5"},
            {"Combo1", "9", Qt::Key_F4, 15, {Qt::Key_Escape}, "9"},
            {"Combo1", "2.4", Qt::Key_F4, -1, {Qt::Key_Return}, "2.4"},
            {"Combo2", "21", Qt::Key_F4, -1, {Qt::Key_Enter}, "21"},
            {"Combo1", "２．５", Qt::Key_F4, 6, {Qt::Key_Escape}, "２．５"},
            {"Combo2", "21", Qt::Key_Down, -1, {Qt::Key_Escape}, "21"},
        };
        for (const auto& c : cases) {
            Open();
            const QString row = QString("%1 %2").arg(c.box, c.typed ? c.typed : "at start");
            auto* box = w->findChild<QComboBox*>(c.box);
            box->setFocus();
            if (c.typed) Type(c.typed);
            QTest::keyClick(box, c.open, c.open == Qt::Key_Down ? Qt::AltModifier : Qt::NoModifier);
            QWidget* list = QApplication::activePopupWidget();
            QAbstractItemView* view = box->view();
            QVERIFY2(list && view->isVisible(), qPrintable(row));
            QVERIFY2(view->currentIndex().row() == c.highlighted &&
                         view->selectionModel()->hasSelection() == (c.highlighted >= 0),
                     qPrintable(row));
            QVERIFY2(c.highlighted < 0 || view->viewport()->rect().contains(view->visualRect(view->currentIndex())),
                     qPrintable(row));
            for (Qt::Key key : c.keys) QTest::keyClick(list->windowHandle(), key);
            QVERIFY2(!QApplication::activePopupWidget() && w->focusWidget() == box, qPrintable(row));
            QVERIFY2(box->currentText() == c.textAfter && w->Text2->text().isEmpty(), qPrintable(row));
            // Offscreen, the window is active again only when asked.
            w->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), w.get());
            QTest::keyClick(Focus(), Qt::Key_Escape);
            QVERIFY2(!w->isVisible(), qPrintable(row));
        }
    }

    void manualCountOnAndOffThenReset() {
        w->Text1->setText("20");
        w->Text4->setText("0");
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        QVERIFY(w->Text5->isEnabled());
        QCOMPARE(w->Text5->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(Focus(), w->Text5);
        Type("２");  // full width, from an input method
        Enter();
        QCOMPARE(Results(), QString("2 4.7083"));

        w->Check1->setFocus();
        QTest::keyClick(w->Check1, Qt::Key_Space);
        QVERIFY(!w->Text5->isEnabled());
        QCOMPARE(w->Text5->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
        {  // and after a theme switch, the new face
            const auto restore = qScopeGuard([] { QApplication::setPalette(QPalette()); });
            QApplication::setPalette(QPalette(QColor(49, 54, 59)));
            QCoreApplication::processEvents();
            QCOMPARE(w->Text5->palette().color(QPalette::Base), QColor(49, 54, 59));
        }
        QCOMPARE(w->Text5->text(), QString("２"));
        QCOMPARE(Focus(), w->Check1);
        w->Command1_Click();
        QCOMPARE(Results(), QString("3 7.6604"));

        // Reset, with every box filled and the switch on again.
        w->Combo1->setEditText("2.5");
        w->Combo2->setEditText("15");
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        Alt(Qt::Key_R);
        VerifyStartState();
    }

    // Text committed by an input method in its full-width mode, or pasted, reads as
    // the number the box shows, and the box shows it as it came (the hand-chosen count:
    // above). Pasted in a comma locale: the full-width full stop is still the decimal
    // point, and Wk has a comma.
    void fullWidthTypedOrPasted() {
        const struct {
            const char *box, *text, *count, *length;
        } cases[] = {
            {"Text4", "０．５", "3", "8.0025"},
            {"Text4", "\u22120.5", "3", "7.3184"},
            {"Text1", "２０", "3", "7.6604"},
            {"Combo1", "２", "3", "15.3209"},
            {"Combo2", "２０．０\u3000", "3", "7.6604"},
        };
        for (const auto& c : cases) {
            for (const bool paste : {false, true}) {
                Open();
                QLocale::setDefault(paste ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
                w->Text1->setText("20");
                w->findChild<QWidget*>(c.box)->setFocus();
                QTest::keyClick(Focus(), Qt::Key_A, Qt::ControlModifier);
                QGuiApplication::clipboard()->setText(c.text);
                paste ? QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier) : Type(c.text);
                const QString shown = Focus()->inputMethodQuery(Qt::ImSurroundingText).toString();
                Alt(Qt::Key_C);
                const QString got = QStringList{c.box, shown, w->Text2->text(), w->Text3->text()}.join(' ');
                const QString length = QString(c.length).replace('.', paste ? ',' : '.');
                QVERIFY2(got == QStringList({c.box, c.text, c.count, length}).join(' '), qPrintable(got));
            }
        }
    }

    void rangeFaultKeepsResultsAndSaysSo() {
        w->Text1->setText("20");
        w->Command1_Click();
        w->Text1->setText("1E400");
        w->Text1->setFocus();
        ModalWatch watch;
        w->Command1_Click();
        QVERIFY(watch.seen);
        QCOMPARE(watch.said, QString("Kavrento: 数值超出范围，无法计算。 (Warning, Ok)"));
        QCOMPARE(watch.parent, w.get());  // over the window, not a window of its own
        QCOMPARE(Results(), QString("3 7.6604"));
        QCOMPARE(w->focusWidget(), w->Text1);
    }
};

QTEST_MAIN(XwkTest)
#include "xwk_test.moc"
