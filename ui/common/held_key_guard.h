#pragma once

#include <QObject>
#include <initializer_list>

class QWidget;

namespace ui {

// A held Enter or Esc acts once: the key's auto-repeated presses are not
// new decisions of the user, so they never reach the controls that this
// guard watches. Without it, holding Enter on Calculate would go on to Reset
// and walk the emptied form, and a held Esc that closes the About window
// would go on to quit the program. (A held space needs no guard: buttons
// and the switch act when it is let go.)
class HeldKeyGuard : public QObject {
public:
    HeldKeyGuard(QObject* parent, std::initializer_list<QWidget*> controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
