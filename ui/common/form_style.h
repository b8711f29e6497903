#pragma once

namespace ui {

// The windows' fixed layout was drawn for the classic Windows controls and
// their visual-styles look, which Qt draws as its "windowsvista" style. Qt
// 6.7 and later pick "windows11" on Windows 11, whose controls are taller
// and wider, so the program asks for the classic one there. Elsewhere Qt's
// own choice stays. Returns whether the style is the one the windows expect.
bool UseFormStyle();

}  // namespace ui
