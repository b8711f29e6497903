/* The program's identity, in one place: read by the windows, by the
   version record (resource compiler) and by CMake. Plain macros, so that
   all three can read them; change a version here and nowhere else. */
#ifndef TESSARIN_APP_IDENTITY_H
#define TESSARIN_APP_IDENTITY_H

#define APP_TITLE "Movelant"
#define APP_VERSION_MAJOR 1
#define APP_VERSION_MINOR 0
#define APP_VERSION_REVISION 2
#define APP_PRODUCT_NAME "Kavrento"
#define APP_INTERNAL_NAME "Tessarin"
#define APP_ORIGINAL_FILE_NAME "Tessarin.exe"
#define APP_MAKER "Tessarin Gear Tools"
/* Where to write to the maker: the Debian package's maintainer, the manual. */
#define APP_CONTACT "tessarin@example.org"
/* The program's name in menus: the Linux desktop entry, the Windows Start menu. */
#define APP_MENU_NAME "公法线长度计算"
/* The desktop entry's name, without ".desktop": Wayland desktops tie the
   program's windows to the entry, its icon and its menu name by it, and the
   entry, the metainfo and the icon are named after it. */
#define APP_DESKTOP_ID "org.example.tessarin"
/* The Windows installer's upgrade code: the same for every version, so that
   a new one replaces the old. Never change it. */
#define APP_UPGRADE_CODE "6CE94E7B-F9F9-4672-8C74-0063C7195BD7"

#endif
