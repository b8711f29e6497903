#pragma once

// Ends the program right after the first real paint of `window`: seeing the
// first Paint is not yet the end of it, since the children are painted and
// the backing store flushed within the same repaint, so the quit goes
// through a zero timer. A platform that never exposes the window must not
// hang the benchmark: after 20 s it exits with 1.
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

class FirstPaintExit : public QObject {
public:
    explicit FirstPaintExit(QWidget* window) {
        window->installEventFilter(this);
        QTimer::singleShot(20000, qApp, [] {
            std::fputs("no paint within 20 s\n", stderr);
            QApplication::exit(1);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};
