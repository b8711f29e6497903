// What a screen reader learns of the two windows, read through Qt's
// accessibility interfaces: role, name, description and access key of every
// control that takes the focus, and the label that stands for each box.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QtTest>

#include "ui/about/xwk_frm_about.h"
#include "ui/common/qt_translation.h"
#include "ui/main/xwk.h"

namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

// The labels that the reader finds for a control, in Qt's order.
QList<QAccessibleInterface*> LabelsOf(QAccessibleInterface* control) {
    QList<QAccessibleInterface*> labels;
    for (const auto& [other, relation] : control->relations(QAccessible::Label)) labels << other;
    return labels;
}

// The name a reader speaks. Qt on Linux gives a combo box its value as its
// name and leaves the name to the label that the relation points to.
QString SpokenName(QAccessibleInterface* control) {
    const QString name = control->text(QAccessible::Name);
    if (control->role() != QAccessible::ComboBox || name != control->text(QAccessible::Value)) return name;
    const QList<QAccessibleInterface*> labels = LabelsOf(control);
    return labels.isEmpty() ? QString() : labels.first()->text(QAccessible::Name);
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    // Both windows as the program builds them: the About window over the main one.
    struct Windows {
        XWK main;
        XWKfrmAbout about{&main};
        QWidget* Top(const QString& name) { return name == "XWK" ? static_cast<QWidget*>(&main) : &about; }
    };

private slots:
    void initTestCase() {
        ui::InstallQtChinese(*qApp);  // as the program starts
        QAccessible::setActive(true);
    }

    void focusableControls_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("label");
        auto row = [](const char* window, const char* control, QAccessible::Role role, const char* name,
                      const char* description, const char* key, const char* label) {
            QTest::addRow("%s.%s", window, control)
                << QString(window) << QString(control) << int(role) << QString::fromUtf8(name)
                << QString::fromUtf8(description) << QString(key) << QString(label);
        };
        // The key as Qt reports it, its name in Qt's Chinese: Down opens a
        // combo box's list, Enter presses the default button.
        const char* typeOrPick = "可直接输入，也可从列表中选择";
        row("XWK", "Combo1", QAccessible::ComboBox, "请选择模数 m", typeOrPick, "下方向", "Label1");
        row("XWK", "Combo2", QAccessible::ComboBox, "请选择压力角 α", typeOrPick, "下方向", "Label2");
        row("XWK", "Text1", QAccessible::EditableText, "请输入齿数 z", "", "", "Label3");
        row("XWK", "Text4", QAccessible::EditableText, "请输入变位系数 χ", "", "", "Label8");
        row("XWK", "Command1", QAccessible::Button, "计算(C)", "", "Alt+C", "");
        row("XWK", "Command2", QAccessible::Button, "刷新(R)", "", "Alt+R", "");
        row("XWK", "Command3", QAccessible::Button, "帮助(H)", "", "Alt+H", "");
        row("XWK", "Command4", QAccessible::Button, "退出(Q)", "", "Alt+Q", "");
        row("XWK", "Text2", QAccessible::EditableText, "跨测齿数 k", "", "", "Label4");
        row("XWK", "Text3", QAccessible::EditableText, "公法线长度 Wk", "mm", "", "Label5");
        row("XWK", "Check1", QAccessible::CheckBox, "自定义跨测齿数 k", "", "", "");
        row("XWK", "Text5", QAccessible::EditableText, "自定义跨测齿数 k", "", "", "");
        row("XWKfrmAbout", "cmdOK", QAccessible::Button, "确定", "", "回车", "");
        row("XWKfrmAbout", "cmdSysInfo", QAccessible::Button, "系统信息(S)...", "", "Alt+S", "");
        row("XWKfrmAbout", "Picture1", QAccessible::Graphic, "公法线长度测量示意图",
            "卡尺跨 3 个齿测量 24 齿齿轮的公法线长度 Wk", "", "");
    }
    void focusableControls() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, key);
        QFETCH(QString, label);
        Windows windows;
        auto* widget = windows.Top(window)->findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control));
        QAccessibleInterface* iface = Accessible(widget);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Role(role));
        QCOMPARE(SpokenName(iface), name);
        // Named on the control itself too, for readers that take the name
        // from there (Windows).
        QCOMPARE(widget->accessibleName(), name);
        QCOMPARE(iface->text(QAccessible::Description), description);
        QCOMPARE(iface->text(QAccessible::Accelerator), key);
        if (QAccessibleActionInterface* actions = iface->actionInterface();
            actions && iface->role() == QAccessible::Button && key.startsWith("Alt+")) {
            QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList(key));
        }

        // The label that stands for the box is the first the reader finds,
        // and it reads as the box's name, without the " =" it shows.
        QList<QAccessibleInterface*> labels = LabelsOf(iface);
        labels.removeIf([](QAccessibleInterface* other) { return !qobject_cast<QLabel*>(other->object()); });
        if (label.isEmpty()) {
            QVERIFY(labels.isEmpty());
            return;
        }
        auto* expected = windows.Top(window)->findChild<QLabel*>(label);
        QVERIFY2(expected, qPrintable(label));
        QCOMPARE(expected->buddy(), widget);
        QCOMPARE(labels, QList<QAccessibleInterface*>({Accessible(expected)}));
        QCOMPARE(LabelsOf(iface).first(), Accessible(expected));
        QCOMPARE(Accessible(expected)->text(QAccessible::Name), name);
        QCOMPARE(Accessible(expected)->text(QAccessible::Accelerator), QString());
    }

    // The table above has a row for every control a user can Tab to.
    void everyFocusableControlHasARow() {
        Windows windows;
        QStringList focusable;
        for (QWidget* top : {static_cast<QWidget*>(&windows.main), static_cast<QWidget*>(&windows.about)}) {
            for (QWidget* control : top->findChildren<QWidget*>()) {
                if (control->window() == top && (control->focusPolicy() & Qt::TabFocus) && !control->focusProxy() &&
                    !control->objectName().isEmpty() && !control->objectName().startsWith("qt_")) {
                    focusable << control->objectName();
                }
            }
        }
        focusable.sort();
        QCOMPARE(focusable,
                 QStringList({"Check1", "Combo1", "Combo2", "Command1", "Command2", "Command3", "Command4", "Picture1",
                              "Text1", "Text2", "Text3", "Text4", "Text5", "cmdOK", "cmdSysInfo"}));
    }

    // A reader going through the About window meets the picture, then the
    // texts from the title down, then the buttons.
    void aboutWindowReadsInOrder() {
        Windows windows;
        QAccessibleInterface* about = Accessible(&windows.about);
        QCOMPARE(about->text(QAccessible::Name), QString("关于 Movelant"));
        QStringList names;
        for (int i = 0; i < about->childCount(); ++i) {
            const QString name = about->child(i)->text(QAccessible::Name);
            if (!name.isEmpty()) names << name;
        }
        QCOMPARE(names,
                 QStringList({"公法线长度测量示意图", "Movelant", "版本 1.0.2",
                              "计算变位直齿轮的跨测齿数 k 和公法线长度 Wk。\n联系：Tessarin Gear Tools",
                              "本程序的结果仅供齿轮检验参考，用于生产前请自行核对。\nTessarin Gear Tools 版权所有",
                              "确定", "系统信息(S)..."}));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
