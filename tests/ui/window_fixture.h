#pragma once

// What the window tests share: the main window opened as at start, the About
// window opened from it, and a watch over the modal windows that code under
// test shows.
#include <QApplication>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "ui/about/xwk_frm_about.h"
#include "ui/main/xwk.h"

// The main window shown and active, as right after start; null if it never
// became active.
inline std::unique_ptr<XWK> OpenMainWindow() {
    auto main = std::make_unique<XWK>();
    main->show();
    main->activateWindow();
    if (!QTest::qWaitForWindowActive(main.get())) return nullptr;
    return main;
}

// Watches for the next new modal window, notes what it says and closes it, so
// that a test can run code that shows one modally. A message box is closed as
// a user does, by Enter on OK after the repeats of a held Enter and Esc,
// which must leave it open; what else happened is added to what it says.
struct ModalWatch {
    bool seen = false;
    QString said;  // its title; a message box's "title: text (icon, its one button)"
    QWidget* parent = nullptr;
    QTimer timer;

    ModalWatch() {
        // Only a modal window that opens after this point counts.
        QObject::connect(&timer, &QTimer::timeout, [this, before = QApplication::activeModalWidget()] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == before || !modal->isVisible()) return;
            timer.stop();
            seen = true;
            said = modal->windowTitle();
            parent = modal->parentWidget();
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return void(modal->close());
            said += QString(": %1 (%2, %3)")
                        .arg(box->text(), QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()),
                             QMetaEnum::fromType<QMessageBox::StandardButtons>().valueToKey(box->standardButtons()));
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            for (const char* key : {"\r", "\x1b"})
                QTest::simulateEvent(ok, true, *key == '\r' ? Qt::Key_Return : Qt::Key_Escape, {}, key, true);
            if (!box->isVisible()) return void(said += " closed by a held key");
            QTest::keyClick(ok, Qt::Key_Return);
            if (box->isVisible()) said += " left open by Enter", ok->click();
        });
        timer.start(10);
    }
};

// Opens the About window with Alt+H and runs `check` once it is the active
// window; `check` leaves it open or closes it, and it is closed afterwards.
// Tells whether `check` ran.
inline bool WhileAboutOpen(XWK& main, const std::function<void(XWKfrmAbout*)>& check) {
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* about = qobject_cast<XWKfrmAbout*>(QApplication::activeModalWidget());
        if (!about || QApplication::activeWindow() != about) return;
        poll.stop();
        ran = true;
        const QPointer<XWKfrmAbout> open = about;
        check(about);
        if (open && open->isVisible()) open->close();
    });
    poll.start(10);
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main)) return false;
    QTest::keyClick(main.Command3, Qt::Key_H, Qt::AltModifier);
    return QTest::qWaitFor([&] { return !poll.isActive(); }) && ran;
}
