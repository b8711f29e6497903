#pragma once

#include <QStringList>

class QLabel;

namespace ui {

// Shows `lines` one under the other in `label`, drawn closer together where
// the font's line spacing is taller than the label's height allows (a CJK
// fallback face runs taller than SimSun, for which the label was sized).
void ShowFittedLines(QLabel* label, const QStringList& lines);

}  // namespace ui
