#pragma once

#include <QObject>

namespace ui {

// A held Enter or Esc acts once: the key's auto-repeated presses are not
// new decisions of the user, so they never reach any window of the program.
// Without it, holding Enter on Calculate would go on to Reset and walk the
// emptied form, a held Esc that closes the About window would go on to quit
// the program, and the repeats of the Enter that raised a message would
// close it before it is read, leaving the old results in sight. (A held
// space needs no guard: buttons and the switch act when it is let go.)
class HeldKeyGuard : public QObject {
public:
    // Watches the whole application, message boxes included, for as long as
    // `parent` lives.
    explicit HeldKeyGuard(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
