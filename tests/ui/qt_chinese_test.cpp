// Qt's own texts in Chinese, as the program installs them at start, under a
// user's locale that is neither Chinese nor English; numbers still follow
// that locale.
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ui/common/qt_translation.h"
#include "ui/main/xwk.h"

class QtChineseTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY2(ui::InstallQtChinese(*qApp), "the program was built without Qt's Chinese translation");
    }

    // The right-click menus of an input box and of a result box, item by
    // item, "-" for a separator.
    void contextMenu_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("teeth box") << "Text1"
                                   << QStringList({"撤消(&U)\tCtrl+Z", "重做(&R)\tCtrl+Y", "-", "剪切(&T)\tCtrl+X",
                                                   "复制(&C)\tCtrl+C", "粘贴(&P)\tCtrl+V", "删除", "-",
                                                   "全选\tCtrl+A"});
        QTest::newRow("result box") << "Text3" << QStringList({"复制(&C)\tCtrl+C", "-", "全选\tCtrl+A"});
    }
    void contextMenu() {
        QFETCH(QString, box);
        QFETCH(QStringList, items);
        XWK w;
        auto* edit = w.findChild<QLineEdit*>(box);
        QVERIFY(edit);
        const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        QStringList shown;
        for (const QAction* item : menu->actions()) shown << (item->isSeparator() ? QString("-") : item->text());
        QCOMPARE(shown, items);
    }

    // The range-fault message's only button.
    void rangeFaultButton() {
        XWK w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Text1->setText("1E400");
        QString button;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            watch.stop();
            button = box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        watch.start(10);
        w.Command1_Click();
        QVERIFY(!watch.isActive());
        QCOMPARE(button, QString("确定"));
    }

    // The translation leaves the locale alone: the comma stays the decimal
    // separator of a German user.
    void numbersFollowTheLocale() {
        QCOMPARE(QLocale().language(), QLocale::German);
        QCOMPARE(QLocale().decimalPoint(), QString(","));
        XWK w;
        w.Text1->setText("20");
        w.Command1_Click();
        QCOMPARE(w.Text3->text(), QString("7,6604"));
    }
};

QTEST_MAIN(QtChineseTest)
#include "qt_chinese_test.moc"
