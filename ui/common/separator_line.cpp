#include "ui/common/separator_line.h"

#include <QPainter>

#include "ui/common/readable_colours.h"
#include "ui/common/twips.h"

namespace ui {

SeparatorLine::SeparatorLine(QWidget* parent, const QColor& colour, QPalette::ColorRole role, int widthPixels)
    : QWidget(parent), colour_(colour), role_(role), width_(widthPixels) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SeparatorLine::SetTwips(int x1, int y, int x2) {
    const int left = TwipsToPixels(x1);
    setGeometry(left, TwipsToPixels(y), TwipsToPixels(x2) - left + 1, width_);
}

void SeparatorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Read at each paint, so that a palette changed meanwhile is followed.
    painter.fillRect(rect(), LightFace(palette().color(QPalette::Window)) ? colour_ : palette().color(role_));
}

}  // namespace ui
