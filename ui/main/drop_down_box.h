#pragma once

#include <QComboBox>

// An editable drop-down box that the keyboard drives as a workshop user
// expects of a form's drop-down box:
//   - it selects its whole text whenever it gets the focus, so that typing
//     replaces the value instead of adding to it;
//   - its list opens on the item that the text names ("1" names "1 ", since
//     the number reader skips blanks), or on no item at all;
//   - while the list is open, Enter and Esc belong to the list: Enter takes
//     the highlighted item, if any, Esc leaves the text as it was, and
//     neither reaches the window's own keys (Esc is Quit there).
// The text is what counts: typed or picked, it stays exactly as it is,
// never completed from the list and never added to it.
class DropDownBox : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownBox(QWidget* parent);

    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
