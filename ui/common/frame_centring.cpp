#include "ui/common/frame_centring.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace ui {

// Qt's widget keeps the frame it saw at its last move, which may be from
// before the window manager framed it; the window itself knows the frame.
QRect FrameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameGeometry() : window->frameGeometry();
}

FrameCentring::FrameCentring(QWidget* window, std::function<QRect()> area)
    : QObject(window), window_(window), area_(std::move(area)) {
    window->installEventFilter(this);
}

bool FrameCentring::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
            if (centrings_ == 0) Centre();
            break;
        // Until the window is up, the window system may still frame it, or
        // place it otherwise than asked: it is centred again, a few times
        // at the most, should the two never agree.
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::UpdateRequest:
        case QEvent::WindowActivate:
            if (centrings_ > 0 && centrings_ < kMostCentrings && FrameOf(window_) != placed_) Centre();
            // Once up, the window stays where the user puts it.
            if (event->type() == QEvent::WindowActivate) window_->removeEventFilter(this);
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void FrameCentring::Centre() {
    ++centrings_;
    const QRect area = area_();
    QWindow* handle = window_->windowHandle();
    if (!area.isValid() || !handle) return;
    const QSize frame = FrameOf(window_).size();
    placed_ = QRect(area.center() - QRect(QPoint(), frame).center(), frame);
    // Placing the client area by the frame that the platform reports keeps
    // the two consistent, even where the platform's own placing of frames
    // is not (Wine's dialogs).
    const QMargins margins = handle->frameMargins();
    handle->setPosition(placed_.topLeft() + QPoint(margins.left(), margins.top()));
}

}  // namespace ui
