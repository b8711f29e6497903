#pragma once

// The windows are described by tables of their controls as designed:
// position and size in twips within their container, tab index, caption and
// font. A window creates each control from its row, so the code reads like
// the design.
#include <QPalette>
#include <QString>
#include <QWidget>
#include <span>

#include "ui/common/fonts.h"
#include "ui/common/twips.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace ui {

struct ControlRow {
    const char* name;
    const char* container;         // nullptr: the window's client area
    int left, top, width, height;  // twips, from the container's top-left
    int tabIndex;
    const char* caption;
    Look look = Look::Window;
};

void SetCaption(QGroupBox* frame, const QString& caption);
void SetCaption(QAbstractButton* button, const QString& caption);
void SetCaption(QLineEdit* box, const QString& caption);
void SetCaption(QComboBox* box, const QString& caption);
void SetCaption(QLabel* label, const QString& caption);
inline void SetCaption(QWidget*, const QString&) {}

const ControlRow& RowOf(std::span<const ControlRow> rows, const char* name);

// Creates the control named `name` in `window` as its row says.
template <class Control>
Control* Place(QWidget* window, std::span<const ControlRow> rows, const char* name) {
    const ControlRow& row = RowOf(rows, name);
    QWidget* container = row.container ? window->findChild<QWidget*>(row.container) : window;
    auto* control = new Control(container);
    control->setObjectName(name);
    control->setGeometry(TwipsRect(row.left, row.top, row.width, row.height));
    // Each control gets its font outright: a frame's bold font would
    // otherwise pass to what it holds.
    control->setFont(FontOf(row.look));
    SetCaption(control, QString::fromUtf8(row.caption));
    return control;
}

// Chains the focusable controls of `window` in the order of their tab index.
void SetTabOrder(QWidget* window, std::span<const ControlRow> rows);

// Sets a colour role in every state, so that a disabled control keeps the
// colour that the window gives it.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace ui
