#include "ui/main/xwk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "calc/span.h"
#include "ui/about/xwk_frm_about.h"
#include "ui/common/accessible_names.h"
#include "ui/common/app_icon.h"
#include "ui/common/control_table.h"
#include "ui/common/frame_centring.h"
#include "ui/common/held_key_guard.h"
#include "ui/common/readable_colours.h"
#include "ui/main/drop_down_box.h"

namespace {

using ui::ControlRow;
using ui::Look;

// The window as designed. Labels come before the input boxes of their frame,
// since a later control is drawn on top and the labels' boxes reach under
// the input column.
// clang-format off
constexpr ControlRow kControls[] = {
    // name       container  left   top  width height tab  caption                    font
    {"Frame1",   nullptr,    240,  120, 7455, 2895,  8, "变位直齿圆柱齿轮参数",      Look::FrameBold},
    {"Label1",   "Frame1",  1875,  480, 2175,  255,  9, "请选择模数 m =",            Look::Window},
    {"Label2",   "Frame1",  1605,  960, 2535,  375, 10, "请选择压力角 α =",          Look::Window},
    {"Label3",   "Frame1",  1875, 1440, 2055,  255, 11, "请输入齿数 z =",            Look::Window},
    {"Label8",   "Frame1",  1320, 1920, 1815,  255, 19, "请输入变位系数 χ =",        Look::Window},
    {"Label6",   "Frame1",  4920,  960,  255,  375, 17, "°",                         Look::Window},
    {"Combo1",   "Frame1",  3240,  360, 1575,  330,  0, "",                          Look::Song10_5},
    {"Combo2",   "Frame1",  3240,  840, 1575,  360,  1, "",                          Look::Song12},
    {"Text1",    "Frame1",  3240, 1320, 1575,  375,  2, "",                          Look::Song12},
    {"Text4",    "Frame1",  3240, 1800, 1575,  375,  3, "",                          Look::Song12},
    {"Check1",   "Frame1",  1250, 2280, 1935,  375, 20, "自定义跨测齿数 k =",        Look::Window},
    {"Text5",    "Frame1",  3240, 2280, 1575,  375, 21, "",                          Look::Window},
    {"Command1", nullptr,   1080, 3120, 1095,  495,  4, " 计算(&C)",                 Look::Window},
    {"Command2", nullptr,   2640, 3120, 1095,  495,  5, " 刷新(&R)",                 Look::Window},
    {"Command3", nullptr,   4200, 3120, 1095,  495,  6, " 帮助(&H)",                 Look::Window},
    {"Command4", nullptr,   5760, 3120, 1095,  495,  7, " 退出(&Q)",                 Look::Window},
    {"Frame2",   nullptr,    240, 3840, 7455, 1695, 12, "计算结果",                  Look::FrameBold},
    {"Label4",   "Frame2",  2040,  480, 1215,  375, 13, "跨测齿数 k =",              Look::Window},
    {"Label5",   "Frame2",  1770, 1080, 1575,  255, 15, "公法线长度 Wk =",           Look::Window},
    {"Label7",   "Frame2",  4920, 1080,  735,  375, 18, "mm",                        Look::TimesItalic12},
    {"Text2",    "Frame2",  3240,  360, 1575,  375, 14, "",                          Look::Song12},
    {"Text3",    "Frame2",  3240,  960, 1575,  375, 16, "",                          Look::Song12},
};
// clang-format on

const QStringList kModules = {"1 ", "1.25", "1.5", "1.75", "2 ", "2.25", "2.5", "2.75",
                              "3 ", "3.5",  "4 ",  "5 ",   "6 ", "7 ",   "8 ",  "9 "};
const QStringList kAngles = {"14.5", "15", "17.5", "20", "22.5", "25", "30"};

constexpr int kClientWidth = 7920;
constexpr int kClientHeight = 5775;
constexpr int kEnter = 13;
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kResultsCaptionGreen(0, 128, 0);
const QString kTypeOrPick = QStringLiteral("可直接输入，也可从列表中选择");

}  // namespace

template <class Control>
Control* XWK::Place(const char* name) {
    return ui::Place<Control>(this, kControls, name);
}

XWK::XWK(QWidget* parent) : QWidget(parent) {
    setObjectName("XWK");
    setWindowTitle("Kavrento");
    setWindowIcon(ui::AppIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ui::TwipsToPixels(kClientWidth), ui::TwipsToPixels(kClientHeight));
    setFont(ui::WindowFont());

    Frame1 = Place<QGroupBox>("Frame1");
    Label1 = Place<QLabel>("Label1");
    Label2 = Place<QLabel>("Label2");
    Label3 = Place<QLabel>("Label3");
    Label8 = Place<QLabel>("Label8");
    Label6 = Place<QLabel>("Label6");
    Combo1 = Place<DropDownBox>("Combo1");
    Combo2 = Place<DropDownBox>("Combo2");
    Text1 = Place<QLineEdit>("Text1");
    Text4 = Place<QLineEdit>("Text4");
    Check1 = Place<QCheckBox>("Check1");
    Text5 = Place<QLineEdit>("Text5");
    Command1 = Place<QPushButton>("Command1");
    Command2 = Place<QPushButton>("Command2");
    Command3 = Place<QPushButton>("Command3");
    Command4 = Place<QPushButton>("Command4");
    Frame2 = Place<QGroupBox>("Frame2");
    Label4 = Place<QLabel>("Label4");
    Label5 = Place<QLabel>("Label5");
    Label7 = Place<QLabel>("Label7");
    Text2 = Place<QLineEdit>("Text2");
    Text3 = Place<QLineEdit>("Text3");

    Label8->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Combo1->addItems(kModules);
    Combo2->addItems(kAngles);
    Combo1->setCurrentIndex(-1);
    Combo2->setCurrentIndex(-1);

    // The results can be selected and copied, not typed over.
    for (QLineEdit* result : {Text2, Text3}) {
        result->setReadOnly(true);
        ui::SetColour(result, QPalette::Base, kWhite);
        ui::SetColour(result, QPalette::Text, kBlack);
    }
    // The count box is white while it takes a count, so its text is dark
    // whatever the palette's text; switched off, it draws as the palette says.
    QPalette countColours = Text5->palette();
    countColours.setColor(QPalette::Active, QPalette::Text, kBlack);
    countColours.setColor(QPalette::Inactive, QPalette::Text, kBlack);
    Text5->setPalette(countColours);

    for (QPushButton* button : {Command1, Command2, Command3, Command4}) {
        // There is no default button; Enter presses the focused one.
        button->setAutoDefault(true);
        button->setDefault(false);
    }
    connect(Command1, &QPushButton::clicked, this, &XWK::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &XWK::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &XWK::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &XWK::Command4_Click);
    // Quit is the cancel button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setAutoRepeat(false);
    connect(escape, &QShortcut::activated, Command4, &QPushButton::click);

    // Programmatic unchecking in Reset goes through the same handler.
    connect(Check1, &QCheckBox::toggled, this, &XWK::Check1_Click);
    for (QWidget* input : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Combo2), static_cast<QWidget*>(Text1),
                           static_cast<QWidget*>(Text4), static_cast<QWidget*>(Text5)}) {
        input->installEventFilter(this);
    }
    // On the whole program, so it sees each key before the key handlers'
    // filter, and in the About window and the message boxes too.
    new ui::HeldKeyGuard(this);

    // For screen readers: each box by what its label says, the buttons by
    // their captions as read. The unit of Wk is a label of its own on screen.
    ui::LabelBox(Label1, Combo1);
    ui::LabelBox(Label2, Combo2);
    ui::LabelBox(Label3, Text1);
    ui::LabelBox(Label8, Text4);
    ui::LabelBox(Label4, Text2);
    ui::LabelBox(Label5, Text3);
    Check1->setAccessibleName(ui::NameFromCaption(Check1->text()));
    ui::NameBox(Text5, Check1->text());
    Text3->setAccessibleDescription(Label7->text());
    Combo1->setAccessibleDescription(kTypeOrPick);
    Combo2->setAccessibleDescription(kTypeOrPick);
    for (QPushButton* button : {Command1, Command2, Command3, Command4}) ui::NameButton(button);

    ui::SetTabOrder(this, kControls);
    Form_Load();
    ApplyColours();

    // In the centre of the screen, title bar and borders included.
    new ui::FrameCentring(this, [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect();
    });
}

bool XWK::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty()) {
            const int code = text.front().unicode();
            if (watched == Combo1)
                Combo1_KeyPress(code);
            else if (watched == Combo2)
                Combo2_KeyPress(code);
            else if (watched == Text1)
                Text1_KeyPress(code);
            else if (watched == Text4)
                Text4_KeyPress(code);
            else if (watched == Text5)
                Text5_KeyPress(code);
        }
    }
    // The key still reaches its control.
    return QWidget::eventFilter(watched, event);
}

// The results caption stays green, in a shade that reads on the face; the
// labels in its frame keep the palette's text, which the caption's colour
// would otherwise pass on to them; a switched-off count box takes the face.
// Again whenever the palette changes, as a theme switched meanwhile does:
// nothing is kept from the palette before.
void XWK::ApplyColours() {
    const QPalette palette = QGuiApplication::palette();
    ui::SetColour(Frame2, QPalette::WindowText,
                  ui::ShadeReadableOn(kResultsCaptionGreen, palette.color(QPalette::Window)));
    for (QLabel* label : {Label4, Label5, Label7}) {
        ui::SetColour(label, QPalette::WindowText, palette.color(QPalette::WindowText));
    }
    SetText5Enabled(Text5->isEnabled());
}

// Qt passes a new application palette on to the windows and their controls
// by this event; a window's controls keep the colours it set until then.
bool XWK::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) ApplyColours();
    return handled;
}

void XWK::Form_Load() {
    Combo1->setEditText("1");
    Combo2->setEditText("20");
    SetText5Enabled(false);
}

void XWK::SetText5Enabled(bool enabled) {
    Text5->setEnabled(enabled);
    ui::SetColour(Text5, QPalette::Base, enabled ? kWhite : QGuiApplication::palette().color(QPalette::Button));
}

void XWK::Check1_Click() {
    if (Check1->checkState() == Qt::Checked) {
        SetText5Enabled(true);
        Text5->setFocus();
    } else {
        SetText5Enabled(false);
    }
}

void XWK::Combo1_KeyPress(int KeyAscii) {
    if (KeyAscii == kEnter) Combo2->setFocus();
}

void XWK::Combo2_KeyPress(int KeyAscii) {
    if (KeyAscii == kEnter) Text1->setFocus();
}

void XWK::Text1_KeyPress(int KeyAscii) {
    if (KeyAscii == kEnter) Text4->setFocus();
}

void XWK::Text4_KeyPress(int KeyAscii) {
    if (KeyAscii == kEnter) Command1_Click();
}

void XWK::Text5_KeyPress(int KeyAscii) {
    if (KeyAscii == kEnter) Command1_Click();
}

void XWK::Command1_Click() {
    calc::SpanInputs inputs;
    inputs.ModuleText = Combo1->currentText().toStdString();
    inputs.AngleText = Combo2->currentText().toStdString();
    inputs.TeethText = Text1->text().toStdString();
    inputs.ShiftText = Text4->text().toStdString();
    inputs.UseManualCount = Check1->checkState() == Qt::Checked;
    if (inputs.UseManualCount) inputs.ManualCountText = Text5->text().toStdString();

    const auto result = calc::ComputeSpan(inputs, QLocale().decimalPoint().toStdString());
    if (!result) {
        ShowRangeFault();
        return;
    }
    Text2->setText(QString::fromStdString(result->CountText));
    Text3->setText(QString::fromStdString(result->LengthText));
    Command2->setFocus();
}

// The old results stay in their boxes, so say plainly that these inputs
// have none.
void XWK::ShowRangeFault() {
    QMessageBox box(QMessageBox::Warning, "Kavrento", "数值超出范围，无法计算。", QMessageBox::Ok, this);
    box.exec();
}

void XWK::Command2_Click() {
    Text1->clear();
    Text2->clear();
    Text3->clear();
    Text4->clear();
    Text5->clear();
    SetText5Enabled(false);
    Check1->setCheckState(Qt::Unchecked);
    Combo1->setEditText("1");
    Combo2->setEditText("20");
    Combo1->setFocus();
    // Already focused, the box did not select its new text by itself.
    Combo1->lineEdit()->selectAll();
}

// Modal over this window, which takes no input until the About window has
// closed; each opening builds it afresh, as nothing of it survives closing.
void XWK::Command3_Click() {
    XWKfrmAbout about(this);
    about.exec();
}

void XWK::Command4_Click() {
    close();
}
