#pragma once

class QCoreApplication;

namespace ui {

// Qt's own texts in Simplified Chinese, like the rest of the program, under
// every locale: the boxes' right-click menus, the message boxes' buttons.
// The translation is built into the program; without it, or should it not
// load, Qt's English texts stay and the program works as before. Numbers
// still follow the user's locale: QLocale() does not change. Returns whether
// the translation was installed.
bool InstallQtChinese(QCoreApplication& app);

}  // namespace ui
