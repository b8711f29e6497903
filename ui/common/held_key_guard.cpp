#include "ui/common/held_key_guard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace ui {

HeldKeyGuard::HeldKeyGuard(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool HeldKeyGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) {
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Escape:
                    return true;
                default:
                    break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui
