// The main window driven as a user drives it: real key and mouse events.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOption>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "tests/ui/modal_watch.h"
#include "tests/ui/text_fit.h"
#include "ui/main/xwk.h"

namespace {

QColor BaseOf(QWidget* w) { return w->palette().color(QPalette::Base); }
QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

}  // namespace

class XwkTest : public QObject {
    Q_OBJECT

    std::unique_ptr<XWK> w;

    // Shows a fresh window, active, as it stands right after start.
    void Open() {
        w = std::make_unique<XWK>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void Enter() { QTest::keyClick(Focus(), Qt::Key_Return); }
    void Type(const char* text) { QTest::keyClicks(Focus(), text); }
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
        QCOMPARE(BaseOf(w->Text5), ButtonFace());
        QCOMPARE(Focus(), w->Combo1);
    }

private slots:
    void init() { Open(); }
    void cleanup() {
        w.reset();
        QLocale::setDefault(QLocale::c());
    }

    void startsWithDefaultsAndFocusOnModule() {
        VerifyStartState();
        QCOMPARE(w->size(), QSize(528, 385));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        for (QPushButton* b : {w->Command1, w->Command2, w->Command3, w->Command4}) QVERIFY(!b->isDefault());
    }

    void enterWalksInputsCalculatesThenResets() {
        Enter();
        QCOMPARE(Focus(), w->Combo2);
        Enter();
        QCOMPARE(Focus(), w->Text1);
        Type("20");
        Enter();
        QCOMPARE(Focus(), w->Text4);
        Type("0");
        Enter();
        QCOMPARE(w->Text2->text(), QString("3"));
        QCOMPARE(w->Text3->text(), QString("7.6604"));
        QCOMPARE(Focus(), w->Command2);
        Enter();
        VerifyStartState();
    }

    // A held key: one real press, the key's auto-repeats, one release. It
    // acts exactly as one press does.
    void heldKeyActsOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<QString>("count");
        QTest::newRow("Enter in the shift box calculates once") << int(Qt::Key_Return) << "Text4" << "Command2" << "3";
        QTest::newRow("Enter on Calculate calculates once") << int(Qt::Key_Return) << "Command1" << "Command2" << "3";
        QTest::newRow("Enter on Reset resets once") << int(Qt::Key_Return) << "Command2" << "Combo1" << "";
        QTest::newRow("space on Reset resets once") << int(Qt::Key_Space) << "Command2" << "Combo1" << "";
        QTest::newRow("Enter in the teeth box walks one step") << int(Qt::Key_Return) << "Text1" << "Text4" << "";
        QTest::newRow("Esc quits once, at the first press") << int(Qt::Key_Escape) << "Text1" << "" << "";
    }
    void heldKeyActsOnce() {
        QFETCH(int, key);
        QFETCH(QString, from);
        QFETCH(QString, focusAfter);
        QFETCH(QString, count);
        w->Text1->setText("20");
        w->Text4->setText("0");
        if (from == "Command2") {
            w->Command1_Click();
            w->Text1->setText("20");  // Reset must empty it exactly once
        }
        QWidget* start = w->findChild<QWidget*>(from);
        start->setFocus();
        const QString text = key == Qt::Key_Return ? "\r" : key == Qt::Key_Space ? " " : "\x1b";
        QTest::simulateEvent(start, true, key, Qt::NoModifier, text, false);
        for (int repeat = 0; repeat < 8; ++repeat) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w.get();
            QTest::simulateEvent(target, false, key, Qt::NoModifier, text, true);
            QTest::simulateEvent(target, true, key, Qt::NoModifier, text, true);
        }
        QWidget* last = QApplication::focusWidget() ? QApplication::focusWidget() : w.get();
        QTest::simulateEvent(last, false, key, Qt::NoModifier, text, false);
        if (focusAfter.isEmpty()) {
            QVERIFY(!w->isVisible());
            return;
        }
        QVERIFY(w->isVisible());
        QCOMPARE(Focus()->objectName(), focusAfter);
        QCOMPARE(w->Text2->text(), count);
        QCOMPARE(w->Text1->text(), QString(from == "Command2" ? "" : "20"));
    }

    void heldEscInTheCountBoxDoesNotRepeat() {
        // An auto-repeated Esc alone, as when it was first pressed elsewhere.
        w->Text1->setFocus();
        QTest::simulateEvent(w->Text1, true, Qt::Key_Escape, Qt::NoModifier, "\x1b", true);
        QVERIFY(w->isVisible());
    }

    void enterOnCheckBoxDoesNothing() {
        w->Check1->setFocus();
        Enter();
        QCOMPARE(w->Check1->checkState(), Qt::Unchecked);
        QCOMPARE(Focus(), w->Check1);
        QVERIFY(w->Text2->text().isEmpty());
    }

    void tabOrder_data() {
        QTest::addColumn<bool>("manualCount");
        QTest::newRow("count box disabled, skipped") << false;
        QTest::newRow("count box enabled, last") << true;
    }
    void tabOrder() {
        QFETCH(bool, manualCount);
        w->Check1->setChecked(manualCount);
        w->Combo1->setFocus();
        QList<QWidget*> expected = {w->Combo2,   w->Text1, w->Text4, w->Command1, w->Command2, w->Command3,
                                    w->Command4, w->Text2, w->Text3, w->Check1};
        if (manualCount) expected << w->Text5;
        expected << w->Combo1;
        for (QWidget* next : expected) {
            QTest::keyClick(Focus(), Qt::Key_Tab);
            QCOMPARE(Focus(), next);
        }
    }

    void accessKeys() {
        w->Text1->setText("20");
        Alt(Qt::Key_C);
        QCOMPARE(w->Text3->text(), QString("7.6604"));
        Alt(Qt::Key_R);
        QVERIFY(w->Text3->text().isEmpty());
        ModalWatch about;
        Alt(Qt::Key_H);
        QVERIFY(about.seen);
        QCOMPARE(about.parent, w.get());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        Alt(Qt::Key_Q);
        QVERIFY(!w->isVisible());
    }
    void escapeQuitsFromEveryControl_data() {
        QTest::addColumn<QString>("control");
        for (const char* name : {"Combo1", "Combo2", "Text1", "Text4", "Command1", "Command2", "Command3",
                                 "Command4", "Text2", "Text3", "Check1", "Text5"}) {
            QTest::newRow(name) << QString(name);
        }
    }
    void escapeQuitsFromEveryControl() {
        QFETCH(QString, control);
        w->Check1->setChecked(true);  // so that the count box can take the focus
        auto* target = w->findChild<QWidget*>(control);
        target->setFocus();
        QCOMPARE(Focus(), target);
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void manualCountOnAndOff() {
        w->Text1->setText("20");
        w->Text4->setText("0");
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        QVERIFY(w->Text5->isEnabled());
        QCOMPARE(BaseOf(w->Text5), QColor(Qt::white));
        QCOMPARE(Focus(), w->Text5);
        Type("2.5");
        Enter();
        QCOMPARE(w->Text2->text(), QString("2.5"));
        QCOMPARE(w->Text3->text(), QString("6.1844"));

        w->Check1->setFocus();
        QTest::keyClick(w->Check1, Qt::Key_Space);
        QVERIFY(!w->Text5->isEnabled());
        QCOMPARE(BaseOf(w->Text5), ButtonFace());
        QCOMPARE(w->Text5->text(), QString("2.5"));
        QCOMPARE(Focus(), w->Check1);
        w->Command1_Click();
        QCOMPARE(w->Text2->text(), QString("3"));
        QCOMPARE(w->Text3->text(), QString("7.6604"));
    }

    void resetFromFilledCheckedState() {
        w->Combo1->setEditText("2.5");
        w->Combo2->setEditText("15");
        w->Text1->setText("24");
        w->Text4->setText("0.3");
        QTest::mouseClick(w->Check1, Qt::LeftButton);
        Type("3");
        Enter();
        QVERIFY(!w->Text3->text().isEmpty());
        Alt(Qt::Key_R);
        VerifyStartState();
    }

    void pickedListItemKeepsTrailingBlank() {
        w->Combo1->showPopup();
        QAbstractItemView* list = w->Combo1->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QModelIndex two = list->model()->index(4, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(two).center());
        QTRY_COMPARE(w->Combo1->currentText(), QString("2 "));
    }

    void typedTextIsUsedAsTyped() {
        w->Combo1->lineEdit()->selectAll();
        Type("2");
        QCOMPARE(w->Combo1->currentText(), QString("2"));  // not completed to "2 "
        Type(".4");
        Enter();
        QCOMPARE(Focus(), w->Combo2);
        QCOMPARE(w->Combo1->currentText(), QString("2.4"));
        QCOMPARE(w->Combo1->count(), 16);  // Enter did not add it to the list
        QCOMPARE(w->Combo1->findText("2.4"), -1);
        w->Text1->setText("20");
        w->Command1_Click();
        QCOMPARE(w->Text3->text(), QString("18.3851"));  // 2.4 x 7.660439...
    }

    void rangeFaultKeepsResultsAndSaysSo() {
        w->Text1->setText("20");
        w->Command1_Click();
        w->Text1->setText("1E400");
        w->Text1->setFocus();
        ModalWatch watch;
        w->Command1_Click();
        QVERIFY(watch.seen);
        QCOMPARE(watch.title, QString("Kavrento"));
        QCOMPARE(watch.text, QString("数值超出范围，无法计算。"));
        QCOMPARE(watch.icon, QMessageBox::Warning);
        QCOMPARE(watch.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(w->Text2->text(), QString("3"));
        QCOMPARE(w->Text3->text(), QString("7.6604"));
        QCOMPARE(w->focusWidget(), w->Text1);
    }

    void commaLocaleWritesComma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        w->Text1->setText("20");
        w->Text4->setText("0,5");  // reads as 0: the reader takes only the full stop
        w->Command1_Click();
        QCOMPARE(w->Text3->text(), QString("7,6604"));
    }

    void controlFonts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("Frame1 bold") << "Frame1" << 9.0 << true << false;
        QTest::newRow("Frame2 bold") << "Frame2" << 9.0 << true << false;
        QTest::newRow("Label4 inside bold frame") << "Label4" << 9.0 << false << false;
        QTest::newRow("Combo1") << "Combo1" << 10.5 << false << false;
        QTest::newRow("Combo2") << "Combo2" << 12.0 << false << false;
        QTest::newRow("Text2 inside bold frame") << "Text2" << 12.0 << false << false;
        QTest::newRow("Text5 smaller") << "Text5" << 9.0 << false << false;
        QTest::newRow("Label7 mm") << "Label7" << 12.0 << false << true;
        QTest::newRow("Command1") << "Command1" << 9.0 << false << false;
    }
    void controlFonts() {
        QFETCH(QString, control);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        const QFontInfo info(w->findChild<QWidget*>(control)->font());
        QCOMPARE(info.pointSizeF(), points);
        QCOMPARE(info.bold(), bold);
        QCOMPARE(info.italic(), italic);
    }
    void resultsCaptionIsGreenButNotItsLabels() {
        QCOMPARE(w->Frame2->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        for (QLabel* label : {w->Label4, w->Label5, w->Label7}) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        }
    }

    // With the fonts actually installed, every caption and list item fits its
    // control; a wider fallback face would show here first.
    void captionsAreNotClipped() {
        for (QLabel* label : w->findChildren<QLabel*>()) QVERIFY2(TextInkFits(label), qPrintable(label->objectName()));
        for (QAbstractButton* button : w->findChildren<QAbstractButton*>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect contents = button->style()->subElementRect(
                qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option,
                button);
            const int width = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
            QVERIFY2(width <= contents.width(), qPrintable(button->objectName()));
        }
        for (QGroupBox* frame : w->findChildren<QGroupBox*>()) {
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width(), qPrintable(frame->objectName()));
        }
        for (QComboBox* combo : {w->Combo1, w->Combo2}) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = true;
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i) {
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <= field.width(),
                         qPrintable(combo->itemText(i)));
            }
        }
    }

    // Controls overlap only where a label's box runs under an input box; the
    // input is then on top and the label's text ends before it.
    void controlsOverlapOnlyLabelUnderInput() {
        const QList<QWidget*> controls = w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly) +
                                         w->Frame1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly) +
                                         w->Frame2->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* a : controls) {
            for (QWidget* b : controls) {
                if (a == b || a->parentWidget() != b->parentWidget() || a->objectName().isEmpty() ||
                    b->objectName().isEmpty() || !a->geometry().intersects(b->geometry())) {
                    continue;
                }
                auto* label = qobject_cast<QLabel*>(a);
                const bool input = qobject_cast<QComboBox*>(b) || qobject_cast<QLineEdit*>(b);
                QVERIFY2(label || qobject_cast<QLabel*>(b), qPrintable(a->objectName() + " / " + b->objectName()));
                if (!label) continue;
                QVERIFY2(input, qPrintable(a->objectName() + " / " + b->objectName()));
                const QList<QObject*> order = a->parentWidget()->children();
                QVERIFY2(order.indexOf(b) > order.indexOf(a), qPrintable(b->objectName() + " drawn under a label"));
                const int textEnd = label->x() + label->contentsRect().x() + label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(textEnd <= b->x(), qPrintable(label->objectName()));
            }
        }
    }
};

QTEST_MAIN(XwkTest)
#include "xwk_test.moc"
