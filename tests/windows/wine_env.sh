# The environment of the scratch Windows in $scratch (see wine_session.sh).
# With TESSARIN_QT_WINDOWS set, programs find Qt's and the mingw runtime's
# DLLs and Qt's plugins where they were built; without it, only beside the
# program, as on a user's machine.
export WINEPREFIX="$scratch/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
DISPLAY=$(cat "$scratch/display")
export DISPLAY
# Wine takes the Windows locale, and so the ANSI code page, from the locale
# of each command it runs, and the user's name from USER: every command in a
# scratch Windows gets those it was made with.
if [ -f "$scratch/windows.env" ]; then . "$scratch/windows.env"; fi
if [ -n "${TESSARIN_QT_WINDOWS:-}" ]; then
  runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  pthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
  export WINEPATH="Z:$TESSARIN_QT_WINDOWS/bin;Z:$runtime;Z:$pthread"
  export QT_PLUGIN_PATH="Z:$TESSARIN_QT_WINDOWS/plugins"
fi
