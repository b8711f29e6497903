# Cross build for 64-bit Windows with Debian's mingw-w64; the results run
# under Wine (wine64), which ctest uses as the emulator.
#
# The posix thread model throughout: Qt needs it, and everything linked with
# Qt must use the same model, or the std::thread and condition_variable
# symbols do not match. Debian's plain x86_64-w64-mingw32-g++ is win32.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_AR x86_64-w64-mingw32-gcc-ar-posix)
set(CMAKE_RANLIB x86_64-w64-mingw32-gcc-ranlib-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
# Qt for Windows lives outside the system root, in the cache that
# scripts/windows-qt.sh fills; the windows preset passes its prefix.
if(TESSARIN_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH "${TESSARIN_QT_WINDOWS}")
  list(APPEND CMAKE_PREFIX_PATH "${TESSARIN_QT_WINDOWS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
