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
#include <QTextBlock>
#include <QTextDocument>

// The rows [first, last] that hold ink, {0, -1} for none; ink anywhere outside `box` fails.
inline bool InkRows(const QImage& image, const QRect& box, int& first, int& last) {
    first = 0;
    last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) continue;
            if (!box.contains(x, y)) return false;
            if (last < 0) first = y;
            last = y;
        }
    }
    return true;
}

// Drawn unclipped into a larger image: plain text as QLabel draws it, rich
// text block by block where the label's document puts each, judged by its
// ink rather than by the layout's line height, which the label may shrink.
inline bool TextInkFits(const QLabel* label) {
    constexpr int margin = 40;
    const QRect box = label->contentsRect().translated(margin, margin);
    auto canvas = [&] {
        QImage image(label->width() + 2 * margin, label->height() + 2 * margin, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    };
    int first = 0, last = -1;
    if (label->textFormat() != Qt::RichText) {
        QImage image = canvas();
        QPainter painter(&image);
        painter.setFont(label->font());
        painter.drawText(box, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
        painter.end();
        return InkRows(image, box, first, last);
    }
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setHtml(label->text());
    document.setTextWidth(box.width());
    const int spare = box.height() - int(document.size().height());
    const int top = label->alignment() & Qt::AlignVCenter  ? spare / 2
                    : label->alignment() & Qt::AlignBottom ? spare
                                                           : 0;
    int previousLast = -1;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QImage image = canvas();
        QPainter painter(&image);
        block.layout()->draw(&painter, box.topLeft() + QPoint(0, top));  // the layout knows its block's place
        painter.end();
        if (!InkRows(image, box, first, last) || (last >= 0 && first <= previousLast)) return false;
        if (last >= 0) previousLast = last;
    }
    return true;
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
