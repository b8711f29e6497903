#include "ui/common/qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace ui {

bool InstallQtChinese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // Where ui/CMakeLists.txt puts it among the program's resources.
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QStringLiteral(":/translations")) ||
        !app.installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace ui
