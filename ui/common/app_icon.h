#pragma once

#include <QIcon>

namespace ui {

// The application icon, the same drawing at every size, for every window.
QIcon AppIcon();

}  // namespace ui
