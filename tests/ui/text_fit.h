#pragma once

// Whether a label's text, laid out in its box as the label lays it out,
// leaves ink outside the box: the text is drawn unclipped into a larger
// image and every painted pixel must lie inside the label's contents.
#include <QImage>
#include <QLabel>
#include <QPainter>

inline bool TextInkFits(const QLabel* label) {
    if (label->textFormat() == Qt::RichText) return label->heightForWidth(label->width()) <= label->height();
    constexpr int margin = 40;
    const QRect box = label->contentsRect().translated(margin, margin);
    QImage image(label->width() + 2 * margin, label->height() + 2 * margin, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(label->font());
    painter.drawText(box, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0 && !box.contains(x, y)) return false;
        }
    }
    return true;
}
