#pragma once

// What a screen reader says for the windows' controls. A label such as
// "请输入齿数 z =" stands for the box beside it; the box is announced by what
// the label says, without the " =" that only points at the box on screen.
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace ui {

// The label's caption as a name: no trailing "=", no blanks around it.
QString NameFromCaption(const QString& caption);

// Ties `label` to `box`, so that readers find the box's label, and names
// both by what the label says. The label shows what it showed: its caption
// holds no access key, so the tie adds no shortcut.
void LabelBox(QLabel* label, QWidget* box);

// Names a box whose label is not a QLabel, such as the check box that
// switches the box on, by that caption.
void NameBox(QWidget* box, const QString& caption);

// Names a button by its caption as read aloud: without the access key's
// mark, which readers report as the key itself, and without the blank that
// only spaces the caption on screen.
void NameButton(QAbstractButton* button);

}  // namespace ui
