#include "ui/common/separator_line.h"

#include <QPainter>

#include "ui/common/twips.h"

namespace ui {

SeparatorLine::SeparatorLine(QWidget* parent, const QColor& colour, int widthPixels)
    : QWidget(parent), colour_(colour), width_(widthPixels) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SeparatorLine::SetTwips(int x1, int y, int x2) {
    const int left = TwipsToPixels(x1);
    setGeometry(left, TwipsToPixels(y), TwipsToPixels(x2) - left + 1, width_);
}

void SeparatorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

}  // namespace ui
