#include "ui/about/xwk_frm_about.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

#include "ui/about/sys_info_launcher.h"
#include "ui/common/accessible_names.h"
#include "ui/common/app_icon.h"
#include "ui/common/app_identity.h"
#include "ui/common/control_table.h"
#include "ui/common/fitted_lines.h"
#include "ui/common/frame_centring.h"
#include "ui/common/readable_colours.h"
#include "ui/common/separator_line.h"

namespace {

using ui::ControlRow;

// clang-format off
constexpr ControlRow kControls[] = {
    // name             container left   top  width height tab  caption as stored
    {"Picture1",        nullptr,   120,  120, 5310, 1860,  6, ""},
    {"lblTitle",        nullptr,   840, 2160, 3885,  240,  4, "应用程序标题"},
    {"lblVersion",      nullptr,   840, 2640, 3885,  225,  5, "版本"},
    {"lblDescription",  nullptr,   840, 3120, 4275,  450,  2, ""},
    {"lblDisclaimer",   nullptr,   135, 3825, 3630,  825,  3, ""},
    {"cmdOK",           nullptr,  4005, 3825, 1500,  345,  0, "确定"},
    {"cmdSysInfo",      nullptr,  4020, 4275, 1485,  345,  1, "系统信息(&S)..."},
};
// clang-format on

constexpr int kClientWidth = 5565;
constexpr int kClientHeight = 4830;

// What the program computes, then how to reach its maker.
QStringList Description() {
    return {QStringLiteral("计算变位直齿轮的跨测齿数 k 和公法线长度 Wk。"),
            QStringLiteral("联系：%1").arg(QString::fromUtf8(ui::AppIdentity::Maker))};
}

QString Disclaimer() {
    return QStringLiteral("本程序的结果仅供齿轮检验参考，用于生产前请自行核对。\n%1 版权所有")
        .arg(QString::fromUtf8(ui::AppIdentity::Maker));
}

}  // namespace

XWKfrmAbout::XWKfrmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName("XWKfrmAbout");
    setWindowTitle("关于我的应用程序");
    setWindowIcon(ui::AppIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(ui::TwipsToPixels(kClientWidth), ui::TwipsToPixels(kClientHeight));
    setFont(ui::WindowFont());

    Picture1 = ui::Place<QLabel>(this, kControls, "Picture1");
    lblTitle = ui::Place<QLabel>(this, kControls, "lblTitle");
    lblVersion = ui::Place<QLabel>(this, kControls, "lblVersion");
    lblDescription = ui::Place<QLabel>(this, kControls, "lblDescription");
    lblDisclaimer = ui::Place<QLabel>(this, kControls, "lblDisclaimer");
    cmdOK = ui::Place<QPushButton>(this, kControls, "cmdOK");
    cmdSysInfo = ui::Place<QPushButton>(this, kControls, "cmdSysInfo");

    Line1[1] = new ui::SeparatorLine(this, QColor(128, 128, 128), QPalette::Dark, 1);
    Line1[1]->setObjectName("Line1_1");
    Line1[1]->SetTwips(-30, 3645, 5534);
    Line1[0] = new ui::SeparatorLine(this, QColor(255, 255, 255), QPalette::Light, 2);
    Line1[0]->setObjectName("Line1_0");
    Line1[0]->SetTwips(-15, 3660, 5534);

    // The picture fills its box inside a 2-pixel sunken border, and takes the
    // focus by Tab so that Enter there closes the window like OK.
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QPixmap(QStringLiteral(":/resources/about.bmp")));
    Picture1->setFocusPolicy(Qt::TabFocus);
    // Being a Tab stop, the picture is announced: say what it shows.
    Picture1->setAccessibleName(QStringLiteral("公法线长度测量示意图"));
    Picture1->setAccessibleDescription(QStringLiteral("卡尺跨 3 个齿测量 24 齿齿轮的公法线长度 Wk"));

    ui::ShowFittedLines(lblDescription, Description());
    lblDisclaimer->setText(Disclaimer());
    ApplyColours();

    // OK is the default button; Enter on a focused System Information button
    // presses that one instead, as every dialog button is auto-default.
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &XWKfrmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &XWKfrmAbout::cmdSysInfo_Click);

    ui::NameButton(cmdOK);
    ui::NameButton(cmdSysInfo);

    // Centred over the main window, both with their frames.
    new ui::FrameCentring(this, [owner] { return owner ? ui::FrameOf(owner) : QRect(); });

    ui::SetTabOrder(this, kControls);
    cmdOK->setFocus();
    Form_Load();
}

void XWKfrmAbout::Form_Load() {
    const QString title = QString::fromUtf8(ui::AppIdentity::Title);
    setWindowTitle(QStringLiteral("关于 ") + title);
    lblVersion->setText(QStringLiteral("版本 %1.%2.%3")
                            .arg(ui::AppIdentity::Major)
                            .arg(ui::AppIdentity::Minor)
                            .arg(ui::AppIdentity::Revision));
    lblTitle->setText(title);
}

void XWKfrmAbout::cmdOK_Click() {
    accept();
}

void XWKfrmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

// The About window stays open beneath the tool or the message.
void XWKfrmAbout::StartSysInfo() {
    sysinfo::StartSysInfo(ui::AppIdentity::Title, [this](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, this);
        box.exec();
    });
}

// Black labels where black reads, the palette's own text on a darker face;
// again whenever the palette changes, as a theme switched meanwhile does.
void XWKfrmAbout::ApplyColours() {
    const QPalette palette = QGuiApplication::palette();
    const bool light = ui::LightFace(palette.color(QPalette::Window));
    for (QLabel* label : {lblTitle, lblDescription, lblDisclaimer}) {
        ui::SetColour(label, QPalette::WindowText, light ? QColor(Qt::black) : palette.color(QPalette::WindowText));
    }
}

// Qt passes a new application palette on to the windows and their controls
// by this event; a window's controls keep the colours it set until then.
bool XWKfrmAbout::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) ApplyColours();
    return handled;
}

// OK is also the cancel button: Esc presses it, from any focus.
void XWKfrmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
