#include "ui/common/fonts.h"

#include <QStringList>

namespace ui {

QFont SongFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont TimesFont(double pointSize, bool italic) {
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPointSizeF(pointSize);
    font.setItalic(italic);
    // Set outright, or a bold frame around the control would pass its weight on.
    font.setWeight(QFont::Normal);
    return font;
}

QFont FontOf(Look look) {
    switch (look) {
        case Look::FrameBold:
            return SongFont(9, true);
        case Look::Song10_5:
            return SongFont(10.5);
        case Look::Song12:
            return SongFont(12);
        case Look::TimesItalic12:
            return TimesFont(12, true);
        case Look::Window:
            break;
    }
    return WindowFont();
}

}  // namespace ui
