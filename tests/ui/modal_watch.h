#pragma once

// Watches for the next message box, notes what it says and presses OK, so
// that a test can run code that shows one modally.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

struct ModalWatch {
    bool seen = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
    QTimer timer;

    ModalWatch() {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            timer.stop();
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            parent = box->parentWidget();
            box->button(QMessageBox::Ok)->click();
        });
        timer.start(10);
    }
};
