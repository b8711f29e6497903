#pragma once

#include <QRect>

namespace ui {

// The windows are laid out in twips; at 96 dots per inch a pixel is 15 twips.
// Qt's high-DPI scaling takes the logical pixels on to other screens.
constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips >= 0 ? twips + kTwipsPerPixel / 2 : twips - kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace ui
