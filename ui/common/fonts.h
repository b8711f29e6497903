#pragma once

#include <QFont>

namespace ui {

// 宋体 (SimSun) where it exists; elsewhere a Song-style CJK face of the same
// build, so that the layout made for SimSun still holds.
QFont SongFont(double pointSize, bool bold = false);

// Times New Roman, or the metric-compatible Liberation Serif.
QFont TimesFont(double pointSize, bool italic);

// The default font of every window: 宋体 9 point, normal weight.
inline QFont WindowFont() {
    return SongFont(9);
}

// The fonts that the windows' controls are designed with.
enum class Look { Window, FrameBold, Song10_5, Song12, TimesItalic12 };
QFont FontOf(Look look);

}  // namespace ui
