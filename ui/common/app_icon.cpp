#include "ui/common/app_icon.h"

namespace ui {

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 128, 256}) {
        icon.addFile(QStringLiteral(":/resources/tessarin-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace ui
