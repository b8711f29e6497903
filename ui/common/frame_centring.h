#pragma once

#include <QObject>
#include <QRect>
#include <functional>

class QWidget;

namespace ui {

// Where the window stands with its frame, title bar and borders included.
QRect FrameOf(const QWidget* window);

// Centres a window on an area with its frame, title bar and borders
// included, when the window is first shown. Under a window manager the
// frame is known only once the window has been framed, and a window system
// may place a window otherwise than asked; until the window is up (active),
// it is centred again whenever its frame is not where it was put. After
// that, the window stays where the user puts it.
class FrameCentring : public QObject {
public:
    FrameCentring(QWidget* window, std::function<QRect()> area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();

    QWidget* window_;
    std::function<QRect()> area_;
    static constexpr int kMostCentrings = 4;
    int centrings_ = 0;
    QRect placed_;  // where the frame was put last
};

}  // namespace ui
