#pragma once

#include <QImage>

namespace resgen {

// The application icon at one size: a steel spur gear and an orange caliper
// whose jaws span two teeth across the top. Each size has its own layout
// (fewer, bolder teeth and thicker lines when small) rather than a scaled
// copy of the big one. ARGB32, transparent around the gear.
QImage DrawIcon(int size);

// The About window's 350 x 120 picture: a gear of 24 teeth, measured over
// k = 3 teeth by two caliper jaws on the tangent to the base circle, with
// the dimension Wk between them.
QImage DrawAboutPicture();

}  // namespace resgen
