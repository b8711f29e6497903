// Every control of the two windows, one row each: the text it shows, whether
// that text fits, that it lies inside its frame and its window, what it
// overlaps, its font and colours, and what a screen reader learns of it. Qt's own
// texts read in Chinese when the program was built with Qt's translation, in
// English otherwise.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTextDocumentFragment>
#include <QtTest>
#include <memory>
#include <span>

#include "tests/ui/text_fit.h"
#include "tests/ui/window_fixture.h"
#include "ui/common/form_style.h"
#include "ui/common/qt_translation.h"
#include "ui/common/readable_colours.h"

namespace {

// A text of Qt's own, as the build has it.
const char* QtText(const char* chinese, const char* english) {
    return TESSARIN_QT_CHINESE ? chinese : english;
}

struct Row {
    const char* control;  // the window's own name for the window
    const char* shown;    // caption, label lines, or list items joined by "|"
    const char* look;     // font size, "bold", "italic", and "white" for a text box drawn white
    // What a reader learns of a control that takes the focus; none for the others.
    QAccessible::Role role = QAccessible::NoRole;
    const char* name = "";
    const char* description = "";
    const char* key = "";
    const char* label = "";  // the label tied to the box
};

using A = QAccessible;

// clang-format off
const Row kRows[] = {
    {"XWK", "Kavrento", "9"},
    {"Frame1", "变位直齿圆柱齿轮参数", "9 bold"},
    {"Label1", "请选择模数 m =", "9"},
    {"Label2", "请选择压力角 α =", "9"},
    {"Label6", "°", "9"},
    {"Label3", "请输入齿数 z =", "9"},
    {"Label8", "请输入变位系数 χ =", "9"},
    {"Combo1", "1 |1.25|1.5|1.75|2 |2.25|2.5|2.75|3 |3.5|4 |5 |6 |7 |8 |9 ", "10.5", A::ComboBox, "请选择模数 m", "可直接输入，也可从列表中选择", QtText("下方向", "Down"), "Label1"},
    {"Combo2", "14.5|15|17.5|20|22.5|25|30", "12", A::ComboBox, "请选择压力角 α", "可直接输入，也可从列表中选择", QtText("下方向", "Down"), "Label2"},
    {"Text1", "", "12 white", A::EditableText, "请输入齿数 z", "", "", "Label3"},
    {"Text4", "", "12 white", A::EditableText, "请输入变位系数 χ", "", "", "Label8"},
    {"Check1", "自定义跨测齿数 k =", "9", A::CheckBox, "自定义跨测齿数 k"},
    {"Text5", "", "9", A::EditableText, "自定义跨测齿数 k"},
    {"Command1", " 计算(&C)", "9", A::Button, "计算(C)", "", "Alt+C"},
    {"Command2", " 刷新(&R)", "9", A::Button, "刷新(R)", "", "Alt+R"},
    {"Command3", " 帮助(&H)", "9", A::Button, "帮助(H)", "", "Alt+H"},
    {"Command4", " 退出(&Q)", "9", A::Button, "退出(Q)", "", "Alt+Q"},
    {"Frame2", "计算结果", "9 bold"},
    {"Label4", "跨测齿数 k =", "9"},
    {"Label5", "公法线长度 Wk =", "9"},
    {"Label7", "mm", "12 italic"},
    {"Text2", "", "12 white", A::EditableText, "跨测齿数 k", "", "", "Label4"},
    {"Text3", "", "12 white", A::EditableText, "公法线长度 Wk", "mm", "", "Label5"},
    {"XWKfrmAbout", "关于 Movelant", "9"},
    {"Picture1", "", "9", A::Graphic, "公法线长度测量示意图", "卡尺跨 3 个齿测量 24 齿齿轮的公法线长度 Wk"},
    {"lblTitle", "Movelant", "9"},
    {"lblVersion", "版本 " TESSARIN_VERSION, "9"},  // "版本 1.0.2" for 1.0.2
    {"lblDescription", "计算变位直齿轮的跨测齿数 k 和公法线长度 Wk。\n联系：Tessarin Gear Tools", "9"},
    {"lblDisclaimer", "本程序的结果仅供齿轮检验参考，用于生产前请自行核对。\nTessarin Gear Tools 版权所有", "9"},
    {"cmdOK", "确定", "9", A::Button, "确定", "", QtText("回车", "Enter")},
    {"cmdSysInfo", "系统信息(&S)...", "9", A::Button, "系统信息(S)...", "", "Alt+S"},
};
// clang-format on

// What a control shows: a caption, a label's lines (rich text as plain
// lines), or a combo box's list items joined by "|".
QString Shown(QWidget* control) {
    if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->textFormat() == Qt::RichText ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                                   : label->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        return items.join('|');
    }
    return control->windowTitle();
}

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

// A text's contrast as drawn: its ink, the pixel that stands out most, against its
// background, the commonest colour where the text is.
double DrawnContrast(QWidget* control) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) control = combo->lineEdit();
    QRect where = control->rect();
    if (auto* frame = qobject_cast<QGroupBox*>(control)) where.setHeight(frame->fontMetrics().height());
    if (qobject_cast<QLineEdit*>(control)) where = control->rect().adjusted(3, 3, -3, -3);  // inside the frame
    if (auto* button = qobject_cast<QAbstractButton*>(control)) where = CaptionRect(button);
    const QImage drawn = control->grab(where).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> count;
    QRgb background = drawn.pixel(0, 0);
    for (QRgb pixel : std::span(reinterpret_cast<const QRgb*>(drawn.constBits()), drawn.sizeInBytes() / 4))
        if (++count[pixel] > count[background]) background = pixel;
    double most = 1;
    for (QRgb ink : count.keys()) most = std::max(most, ui::Contrast(QColor(ink), QColor(background)));
    return most;
}

// The About window belongs to the main window, so both windows' controls are found from there.
QWidget* Find(QWidget* main, const char* name) {
    return main->objectName() == name ? main : *name ? main->findChild<QWidget*>(name) : nullptr;
}

}  // namespace

class ControlTableTest : public QObject {
    Q_OBJECT

    std::unique_ptr<XWK> main;
    XWKfrmAbout* about = nullptr;

private slots:
    void initTestCase() {
        QCOMPARE(ui::InstallQtChinese(*qApp), bool(TESSARIN_QT_CHINESE));  // as the program starts
        QVERIFY(ui::UseFormStyle());
#ifdef Q_OS_WIN
        QCOMPARE(QApplication::style()->name(), u"windowsvista");  // the classic controls, on Windows 11 too
#endif
        QAccessible::setActive(true);
        main = std::make_unique<XWK>();
        about = new XWKfrmAbout(main.get());
    }

    // Each row under its control's name.
    void everyControl_data() {
        QTest::addColumn<const Row*>("row");
        for (const Row& row : kRows) QTest::newRow(row.control) << &row;
    }
    void everyControl() {
        QFETCH(const Row*, row);
        QWidget* control = Find(main.get(), row->control);
        QVERIFY(control);
        QCOMPARE(Shown(control), QString::fromUtf8(row->shown));
        QVERIFY(TextFits(control));
        // A window carries every size of the icon; a control lies inside its frame and its window, both wholly.
        if (control->isWindow()) {
            QCOMPARE(control->windowIcon().availableSizes(),
                     QList<QSize>({{16, 16}, {32, 32}, {48, 48}, {128, 128}, {256, 256}}));
        } else {
            QVERIFY(control->parentWidget()->rect().contains(control->geometry()));
            const QRect inWindow(control->mapTo(control->window(), QPoint(0, 0)), control->size());
            QVERIFY(control->window()->rect().contains(inWindow));
            // Controls overlap only where a label's box runs under a later input box, the label's
            // text ending before that box.
            const QList<QWidget*> order = control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* other : order) {
                if (other == control || other->isWindow() || other->objectName().isEmpty() ||
                    !other->geometry().intersects(control->geometry()))
                    continue;
                auto* label = qobject_cast<QLabel*>(control);
                const bool input = qobject_cast<QComboBox*>(other) || qobject_cast<QLineEdit*>(other);
                QVERIFY2(label ? input : bool(qobject_cast<QLabel*>(other)), qPrintable(other->objectName()));
                if (!label) continue;
                QVERIFY(order.indexOf(other) > order.indexOf(control));
                QVERIFY(label->x() + label->contentsRect().x() +
                            label->fontMetrics().horizontalAdvance(label->text()) <=
                        other->x());
            }
        }
        if (qobject_cast<QLabel*>(control)) QCOMPARE(control->palette().color(QPalette::WindowText), QColor(Qt::black));
        const QFontInfo font(control->font());
        QString look =
            QString::number(font.pointSizeF()) + (font.bold() ? " bold" : "") + (font.italic() ? " italic" : "");
        if (qobject_cast<QLineEdit*>(control)) {
            const QImage drawn = control->grab().toImage();
            if (drawn.pixelColor(drawn.width() - 6, drawn.height() / 2) == Qt::white) look += " white";
        }
        QCOMPARE(look, QString(row->look));
        if (row->role == QAccessible::NoRole) return;

        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(iface->role(), row->role);
        QCOMPARE(SpokenName(iface), QString::fromUtf8(row->name));
        // Named on the control itself too, for readers that take the name from there (Windows).
        QCOMPARE(control->accessibleName(), QString::fromUtf8(row->name));
        if (auto* combo = qobject_cast<QComboBox*>(control))
            QCOMPARE(combo->lineEdit()->accessibleName(), control->accessibleName());
        QCOMPARE(iface->text(QAccessible::Description), QString::fromUtf8(row->description));
        QCOMPARE(iface->text(QAccessible::Accelerator), QString::fromUtf8(row->key));
        if (QAccessibleActionInterface* actions = iface->actionInterface();
            actions && QString(row->key).startsWith("Alt+")) {
            QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList(row->key));
        }
        // The label that stands for the box is the first the reader finds,
        // and it reads as the box's name, without the " =" it shows.
        QList<QAccessibleInterface*> labels = LabelsOf(iface);
        labels.removeIf([](QAccessibleInterface* other) { return !qobject_cast<QLabel*>(other->object()); });
        auto* label = qobject_cast<QLabel*>(Find(main.get(), row->label));
        QCOMPARE(labels.size(), label ? 1 : 0);
        if (!label) return;
        QCOMPARE(label->buddy(), control);
        QCOMPARE(LabelsOf(iface).first()->object(), label);
        QCOMPARE(labels.first()->text(QAccessible::Name), QString::fromUtf8(row->name));
    }

    // Every label's text stands level with the text of the box it names: the labels
    // all as high against their boxes, within a few pixels that faces differ by.
    void labelsLevelWithTheirBoxes() {
        QList<int> below;
        for (QLabel* label : main->findChildren<QLabel*>()) {
            QRect ink;
            if (label->buddy() && TextInkFits(label, &ink))
                below << label->y() + ink.center().y() - label->buddy()->geometry().center().y();
        }
        std::sort(below.begin(), below.end());
        QVERIFY2(below.size() == 6 && below.last() - below.first() <= 3, qPrintable(QDebug::toString(below)));
    }

    // The table has a row for each control a user can Tab to, naming it for readers.
    void everyFocusableControlHasARow() {
        for (QWidget* control : main->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy() || control->objectName().isEmpty() ||
                control->objectName().startsWith("qt_"))
                continue;
            const auto row = std::ranges::find_if(kRows, [&](auto& r) { return control->objectName() == r.control; });
            QVERIFY2(row != std::end(kRows) && row->role != QAccessible::NoRole, qPrintable(control->objectName()));
        }
    }

    // A reader going through the About window meets the picture, then the
    // texts from the title down, then the buttons.
    void aboutWindowReadsInOrder() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(about);
        QStringList read, expected;
        for (int i = 0; i < window->childCount(); ++i) read << window->child(i)->text(QAccessible::Name);
        read.removeAll(QString());
        for (const Row& row : kRows) {
            if (Find(main.get(), row.control)->parentWidget() == about)
                expected << QString::fromUtf8(*row.name ? row.name : row.shown);
        }
        QCOMPARE(read, expected);
    }

    // Contrast as WCAG reckons it, against its published figures: the scale's ends, greys
    // either side of 4.5 : 1, each channel's weight, a near black on the curve's straight
    // foot. Where the face is dark, the results caption's green is lightened, hue and
    // saturation kept, only as far as it needs to read.
    void contrastAndShade() {
        const std::pair<QColor, double> onWhite[] = {
            {Qt::black, 21.0},        {QColor(0x767676), 4.54}, {QColor(0x777777), 4.48},  {QColor(0xFF0000), 4.00},
            {QColor(0x008000), 5.14}, {QColor(0x0000FF), 8.59}, {QColor(0x0A0A0A), 19.80},
        };
        for (const auto& [ink, published] : onWhite) {
            const double got = ui::Contrast(ink, Qt::white);
            QVERIFY2(qAbs(got - published) < 0.005, qPrintable(ink.name() + QString(" %1").arg(got)));
        }
        const QColor green(0, 128, 0), dark(49, 54, 59);
        QCOMPARE(ui::ShadeReadableOn(green, Qt::white), green);
        const QColor shade = ui::ShadeReadableOn(green, dark);
        QCOMPARE(QList<int>({shade.hslHue(), shade.hslSaturation()}), QList<int>({120, 255}));
        QVERIFY(ui::Contrast(shade, dark) >= 4.5);
        QVERIFY(ui::Contrast(QColor::fromHsl(120, 255, shade.lightness() - 1), dark) < 4.5);
    }

    // Every text of both windows reads at 4.5 : 1 or more on another desktop's
    // colours, the boxes filled, the count typed by hand, the About window open.
    void readableInEveryScheme_data() {
        QTest::addColumn<QPalette>("scheme");
        QTest::addColumn<bool>("switchedWhileOpen");
        // The desktop's own colours where not light: Windows' High Contrast Black, under Wine (high_contrast.sh).
        // On Windows only those: its visual styles draw light faces under any palette set by hand.
        QTest::newRow("system") << QApplication::palette() << false;
        if (QGuiApplication::platformName() == "windows") return;
        // Qt derives every other colour from the face: white text, black boxes.
        QTest::newRow("dark") << QPalette(QColor(49, 54, 59)) << false;
        QTest::newRow("high contrast, white on black") << QPalette(Qt::black) << false;
        QTest::newRow("dark, switched while open") << QPalette(QColor(49, 54, 59)) << true;
    }
    void readableInEveryScheme() {
        QFETCH(QPalette, scheme);
        QFETCH(bool, switchedWhileOpen);
        if (scheme.color(QPalette::Window).lightnessF() > 0.5) QSKIP("light system colours, the table's own look");
        const auto restore = qScopeGuard([] { QApplication::setPalette(QPalette()); });
        if (!switchedWhileOpen) QApplication::setPalette(scheme);
        const std::unique_ptr<XWK> shown = OpenMainWindow();
        QVERIFY(shown);
        QTest::keyClicks(shown->Text1, "20");
        QTest::keyClicks(shown->Text4, "0.5");
        QTest::mouseClick(shown->Check1, Qt::LeftButton);
        QTest::keyClicks(shown->Text5, "3\r");  // and Enter, which calculates
        // Each window's texts measured while it is the active one, as the user reads them.
        const auto readable = [&](QWidget* window) {
            for (const Row& row : kRows) {
                QWidget* control = Find(shown.get(), row.control);
                if (!control || control->window() != window || control->isWindow() || row.role == QAccessible::Graphic)
                    continue;
                const double contrast = DrawnContrast(control);
                QVERIFY2(contrast >= 4.5, qPrintable(QString("%1: %2 : 1").arg(row.control).arg(contrast, 0, 'f', 2)));
            }
        };
        QVERIFY(WhileAboutOpen(*shown, [&](XWKfrmAbout* about) {
            if (switchedWhileOpen) QApplication::setPalette(scheme);
            // Qt passes a new palette on to the controls through posted events, as for a theme switched on the desktop.
            QCoreApplication::processEvents();
            readable(about);
            // Switched to a dark face, the separator is etched in the face's own shadow and
            // highlight, which do not glare.
            const QImage drawn = about->grab().toImage();
            const auto at = [&](int y) { return drawn.pixel(about->width() / 2, y); };
            QVERIFY(!switchedWhileOpen || (at(243) == about->palette().color(QPalette::Dark).rgb() &&
                                           at(244) == about->palette().color(QPalette::Light).rgb()));
        }));
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        readable(shown.get());
    }

    // The only sign that the result boxes cannot be typed into: their
    // right-click menu offers nothing that edits.
    void resultBoxMenuOnlyCopies() {
        const std::unique_ptr<QMenu> menu(main->Text3->createStandardContextMenu());
        QStringList shown;
        for (const QAction* item : menu->actions()) shown << (item->isSeparator() ? QString("-") : item->text());
        QCOMPARE(shown, QStringList({QtText("复制(&C)\tCtrl+C", "&Copy\tCtrl+C"), "-",
                                     QtText("全选\tCtrl+A", "Select All\tCtrl+A")}));
    }
};

QTEST_MAIN(ControlTableTest)
#include "control_table_test.moc"
