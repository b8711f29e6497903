// Every text a user reads in the two windows, exactly as it shows: window
// titles, captions, list items, the unit and the About texts. One row per
// text; the expected texts are written out here, never taken from the code.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include "ui/about/xwk_frm_about.h"
#include "ui/main/xwk.h"

namespace {

// What a control shows: a caption, a label's lines (rich text as plain
// lines), or a combo box's list items joined by "|".
QString Shown(QWidget* control) {
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->textFormat() != Qt::RichText) return label->text();
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        return items.join('|');
    }
    return control->windowTitle();
}

}  // namespace

class VisibleTextsTest : public QObject {
    Q_OBJECT

private slots:
    void everyText_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        auto row = [](const char* window, const char* control, const char* text) {
            QTest::addRow("%s.%s", window, control) << QString(window) << QString(control) << QString::fromUtf8(text);
        };
        row("XWK", "XWK", "Kavrento");
        row("XWK", "Frame1", "变位直齿圆柱齿轮参数");
        row("XWK", "Label1", "请选择模数 m =");
        row("XWK", "Label2", "请选择压力角 α =");
        row("XWK", "Label6", "°");
        row("XWK", "Label3", "请输入齿数 z =");
        row("XWK", "Label8", "请输入变位系数 χ =");
        row("XWK", "Check1", "自定义跨测齿数 k =");
        row("XWK", "Combo1", "1 |1.25|1.5|1.75|2 |2.25|2.5|2.75|3 |3.5|4 |5 |6 |7 |8 |9 ");
        row("XWK", "Combo2", "14.5|15|17.5|20|22.5|25|30");
        row("XWK", "Command1", " 计算(&C)");
        row("XWK", "Command2", " 刷新(&R)");
        row("XWK", "Command3", " 帮助(&H)");
        row("XWK", "Command4", " 退出(&Q)");
        row("XWK", "Frame2", "计算结果");
        row("XWK", "Label4", "跨测齿数 k =");
        row("XWK", "Label5", "公法线长度 Wk =");
        row("XWK", "Label7", "mm");
        row("XWKfrmAbout", "XWKfrmAbout", "关于 Movelant");
        row("XWKfrmAbout", "lblTitle", "Movelant");
        row("XWKfrmAbout", "lblVersion", "版本 1.0.2");
        row("XWKfrmAbout", "lblDescription", "计算变位直齿轮的跨测齿数 k 和公法线长度 Wk。\n联系：Tessarin Gear Tools");
        row("XWKfrmAbout", "lblDisclaimer",
            "本程序的结果仅供齿轮检验参考，用于生产前请自行核对。\nTessarin Gear Tools 版权所有");
        row("XWKfrmAbout", "cmdOK", "确定");
        row("XWKfrmAbout", "cmdSysInfo", "系统信息(&S)...");
    }
    void everyText() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, text);
        XWK main;
        XWKfrmAbout about(&main);
        QWidget* top = window == "XWK" ? static_cast<QWidget*>(&main) : &about;
        QWidget* shown = control == window ? top : top->findChild<QWidget*>(control);
        QVERIFY2(shown, qPrintable(control));
        QCOMPARE(Shown(shown), text);
    }

};

QTEST_MAIN(VisibleTextsTest)
#include "visible_texts_test.moc"
