#include "ui/common/form_style.h"

#include <QApplication>
#include <QStyle>

namespace ui {

bool UseFormStyle() {
#ifdef Q_OS_WIN
    // With high contrast on, this style draws the classic controls in the
    // system colours, as Windows itself does.
    return QApplication::setStyle(QStringLiteral("windowsvista")) != nullptr;
#else
    return true;
#endif
}

}  // namespace ui
