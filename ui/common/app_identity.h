#pragma once

#include "resources/app_identity.h"

namespace ui {

// The application identity as the windows use it.
struct AppIdentity {
    static constexpr const char* Title = APP_TITLE;
    static constexpr int Major = APP_VERSION_MAJOR;
    static constexpr int Minor = APP_VERSION_MINOR;
    static constexpr int Revision = APP_VERSION_REVISION;
    static constexpr const char* Maker = APP_MAKER;
    static constexpr const char* DesktopId = APP_DESKTOP_ID;
};

}  // namespace ui
