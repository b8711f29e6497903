#include "ui/main/drop_down_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

#include "calc/number_text.h"

namespace {

// The text as the number reader sees it: blanks skipped wherever they stand,
// full-width digits as ASCII ones, so "２" names the item "2 ".
std::string AsRead(const QString& text) {
    return calc::TextAsRead(text.toStdString());
}

}  // namespace

DropDownBox::DropDownBox(QWidget* parent) : QComboBox(parent) {
    // Editable from the start, so that the box's text field follows the box
    // itself in the window's Tab chain, both ways.
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    // Seen before the list's own handling of the keys.
    view()->installEventFilter(this);
}

void DropDownBox::showPopup() {
    QComboBox::showPopup();
    const std::string named = AsRead(currentText());
    QModelIndex match;
    for (int row = 0; row < count() && !match.isValid(); ++row) {
        if (AsRead(itemText(row)) == named) match = model()->index(row, modelColumn(), rootModelIndex());
    }
    // Highlighting is not picking: the text changes only when an item is taken.
    // The list scrolls to the highlighted item itself.
    view()->setCurrentIndex(match);
}

void DropDownBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    lineEdit()->selectAll();
}

bool DropDownBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter || key->matches(QKeySequence::Cancel)) {
            // Taken here, the key is no shortcut of the window.
            key->accept();
            // With nothing highlighted, Enter closes the list and keeps the text.
            if (enter && !view()->currentIndex().isValid()) {
                hidePopup();
                return true;
            }
        }
    }
    return QComboBox::eventFilter(watched, event);
}
