#pragma once

// Watches for the next new modal window, notes what a message box says and
// closes it (OK for a message box), so that a test can run code that shows
// one modally.
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
        // Only a modal window that opens after this point counts.
        QObject::connect(&timer, &QTimer::timeout, [this, before = QApplication::activeModalWidget()] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == before || !modal->isVisible()) return;
            timer.stop();
            seen = true;
            title = modal->windowTitle();
            parent = modal->parentWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                modal->close();
                return;
            }
            text = box->text();
            icon = box->icon();
            buttons = box->standardButtons();
            box->button(QMessageBox::Ok)->click();
        });
        timer.start(10);
    }
};
