#pragma once

// Whether a control's text shows whole: a label's ink lies inside the label
// and its lines apart, a caption fits its button or frame, every list item
// fits a combo box's field.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QTextDocument>

// A label's text drawn unclipped where the label draws it, into a larger
// canvas: its ink lies inside the label's contents, and for rich text (lines
// closed up to fit) each line apart from the next. Judged by the ink rather
// than the layout's line height, which a fallback face may overrun by design.
// The ink's bounds, in the label's own coordinates, go to `inkBounds`.
inline bool TextInkFits(const QLabel* label, QRect* inkBounds = nullptr) {
    constexpr int margin = 40;
    const QRect box = label->contentsRect().translated(margin, margin);
    QImage image(label->size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const bool rich = label->textFormat() == Qt::RichText;
    QTextDocument document;
    if (rich) {
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(label->text());
        document.setTextWidth(box.width());
        const int spare = box.height() - int(document.size().height());
        const int top = label->alignment() & Qt::AlignVCenter  ? spare / 2
                        : label->alignment() & Qt::AlignBottom ? spare
                                                               : 0;
        painter.translate(box.topLeft() + QPoint(0, top));
        document.drawContents(&painter);
    } else {
        painter.setFont(label->font());
        const int wrap = label->wordWrap() ? Qt::TextWordWrap : 0;
        painter.drawText(box, int(label->alignment()) | wrap | Qt::TextDontClip, label->text());
    }
    painter.end();
    int lines = 0;
    bool inkAbove = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width(); ++x) {
            // Coverage this faint blends into the face a level or two: no mark
            // a reader could see, so a clip there cuts nothing.
            if (qAlpha(image.pixel(x, y)) < 8) continue;
            if (!box.contains(x, y)) return false;
            if (inkBounds) *inkBounds |= QRect(x - margin, y - margin, 1, 1);
            ink = true;
        }
        lines += ink && !inkAbove;
        inkAbove = ink;
    }
    return !rich || lines == document.blockCount();
}

// Where a button or a check box draws its caption.
inline QRect CaptionRect(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const auto element = qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
    return button->style()->subElementRect(element, &option, button);
}

// Any control: labels by their ink, buttons and frames by their caption's
// width, combo boxes by each list item's width in the edit field.
inline bool TextFits(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return TextInkFits(label);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) <=
               CaptionRect(button).width();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width();
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
