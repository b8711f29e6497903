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

}  // namespace ui
