#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
namespace ui {
class SeparatorLine;
}

// The About window: picture, application title, version, what the program
// does and a usage notice. Each opening builds it afresh.
class XWKfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit XWKfrmAbout(QWidget* owner);

    QLabel* Picture1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    // The etched separator: index 0 the white line, index 1 the grey one above it.
    std::array<ui::SeparatorLine*, 2> Line1{};

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ApplyColours();
};
