#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The calculator's main window: module, pressure angle, teeth and profile
// shift in, span tooth count k and base tangent length Wk out. All of its
// state lives in its controls; the numbers belong to calc::ComputeSpan.
class XWK : public QWidget {
    Q_OBJECT

public:
    explicit XWK(QWidget* parent = nullptr);

    // Parameters of the gear.
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text4 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* Text5 = nullptr;

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

    // Results.
    QGroupBox* Frame2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;

    void Form_Load();
    void Check1_Click();
    void Combo1_KeyPress(int KeyAscii);
    void Combo2_KeyPress(int KeyAscii);
    void Text1_KeyPress(int KeyAscii);
    void Text4_KeyPress(int KeyAscii);
    void Text5_KeyPress(int KeyAscii);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    template <class Control>
    Control* Place(const char* name);
    void SetText5Enabled(bool enabled);
    void ApplyColours();
    void ShowRangeFault();
};
