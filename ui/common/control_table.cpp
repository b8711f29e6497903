#include "ui/common/control_table.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <vector>

namespace ui {

void SetCaption(QGroupBox* frame, const QString& caption) {
    frame->setTitle(caption);
}
void SetCaption(QAbstractButton* button, const QString& caption) {
    button->setText(caption);
}
void SetCaption(QLineEdit* box, const QString& caption) {
    box->setText(caption);
}
void SetCaption(QComboBox*, const QString&) {}
void SetCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    // Labels show their text from the top of their box and wrap within it. A
    // box made for SimSun may be shorter than one line of a taller fallback
    // face; the line is then centred, so that neither end of it is cut off.
    const bool lineFits = label->fontMetrics().height() <= label->contentsRect().height();
    label->setAlignment(Qt::AlignLeft | (lineFits ? Qt::AlignTop : Qt::AlignVCenter));
    label->setWordWrap(true);
}

const ControlRow& RowOf(std::span<const ControlRow> rows, const char* name) {
    const auto row =
        std::find_if(rows.begin(), rows.end(), [name](const ControlRow& r) { return qstrcmp(r.name, name) == 0; });
    Q_ASSERT(row != rows.end());
    return *row;
}

void SetTabOrder(QWidget* window, std::span<const ControlRow> rows) {
    std::vector<const ControlRow*> byTabIndex;
    for (const ControlRow& row : rows) byTabIndex.push_back(&row);
    std::sort(byTabIndex.begin(), byTabIndex.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    QWidget* previous = nullptr;
    for (const ControlRow* row : byTabIndex) {
        auto* control = window->findChild<QWidget*>(row->name);
        if (!control || control->focusPolicy() == Qt::NoFocus) continue;  // frames, labels, lines
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    palette.setColor(QPalette::Disabled, role, colour);
    widget->setPalette(palette);
}

}  // namespace ui
