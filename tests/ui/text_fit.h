#pragma once

// Whether a control's text shows whole: a label's ink lies inside the label
// and its lines apart, a caption fits its button or frame, every list item
// fits a combo box's field.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QStyleOption>
#include <QTextDocument>

// A label's ink, drawn by a copy of it with room all round: inside the
// label's contents, and for rich text (lines closed up to fit) each line
// apart from the next.
inline bool TextInkFits(const QLabel* label) {
    constexpr int margin = 40;
    QLabel copy;
    copy.setFont(label->font());
    copy.setTextFormat(label->textFormat());
    copy.setAlignment(label->alignment());
    copy.setWordWrap(label->wordWrap());
    copy.setText(label->text());
    copy.setContentsMargins(label->contentsMargins() + QMargins(margin, margin, margin, margin));
    copy.resize(label->size() + QSize(2 * margin, 2 * margin));
    const QImage image = copy.grab().toImage();
    const QRect box = label->contentsRect().translated(margin, margin);
    int lines = 0;
    bool inkAbove = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == image.pixel(0, 0)) continue;
            if (!box.contains(x, y)) return false;
            ink = true;
        }
        lines += ink && !inkAbove;
        inkAbove = ink;
    }
    QTextDocument document;
    document.setHtml(label->text());
    return label->textFormat() != Qt::RichText || lines == document.blockCount();
}

// Any control: labels by their ink, buttons and frames by their caption's
// width, combo boxes by each list item's width in the edit field.
inline bool TextFits(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return TextInkFits(label);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element =
            qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
        const QRect contents = button->style()->subElementRect(element, &option, button);
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) <= contents.width();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        return frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width();
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > field.width()) return false;
        }
    }
    return true;
}
