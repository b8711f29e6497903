#pragma once

// The windows' fixed colours (black labels, a green caption, white boxes, an
// etched separator) were chosen for a light face with dark text. There they
// stay exactly as designed. On a darker face, a dark desktop theme or
// Windows' high contrast, they give way to colours that can be read there.
#include <QColor>

namespace ui {

// The contrast of two colours as WCAG defines it, from 1 (none) to 21.
double Contrast(const QColor& a, const QColor& b);

// Whether a face is the light kind the fixed colours were chosen for.
bool LightFace(const QColor& face);

// `colour` on a light face; on a darker one, the nearest lighter shade of its
// hue that reads on `face` at 4.5 : 1, WCAG's level AA for text of our sizes.
QColor ShadeReadableOn(const QColor& colour, const QColor& face);

}  // namespace ui
