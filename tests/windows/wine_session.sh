#!/bin/sh
# Starts or stops the scratch Windows that the Windows tests run in: a
# desktop of its own (an Xvfb screen with a window manager, which draws the
# windows' frames) and a fresh Wine prefix, both in SCRATCH, never the
# user's own display or ~/.wine.
#   wine_session.sh start SCRATCH
#   wine_session.sh stop SCRATCH
# By default an English Windows at 96 dpi, with the machine's user name. A
# user's own Windows instead, when these are set at the start:
#   TESSARIN_WINE_LOCALE  e.g. zh_CN.UTF-8, a locale the machine has generated
#   TESSARIN_WINE_USER    the Windows user's name, e.g. 张工
#   TESSARIN_WINE_DPI     the screen's dots per inch, e.g. 144 for 150 %
set -eu
action=$1
scratch=$2
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
desktop="$(dirname "$0")/../desktop_session.sh"

if [ "$action" = stop ]; then
  if [ -f "$scratch/display" ]; then
    WINEPREFIX="$scratch/prefix" "$wineserver" -k 2>/dev/null || true
  fi
  sh "$desktop" stop "$scratch"
  rm -rf "$scratch"
  exit 0
fi

sh "$0" stop "$scratch"
mkdir -p "$scratch"
sh "$desktop" start "$scratch"
display=$(cat "$scratch/display")

locale=${TESSARIN_WINE_LOCALE:-}
{
  if [ -n "$locale" ]; then echo "export LANG='$locale' LC_ALL='$locale'"; fi
  if [ -n "${TESSARIN_WINE_USER:-}" ]; then echo "export USER='$TESSARIN_WINE_USER'"; fi
} >"$scratch/windows.env"
. "$(dirname "$0")/wine_env.sh"
# A fresh prefix: no Mono or Gecko prompts, no menu entries in ~.
"$wine" wineboot -i >"$scratch/wineboot.log" 2>&1 </dev/null
# A Windows machine has SimSun and Times New Roman, which the windows are
# designed with; Wine has neither. Standing in for them by name, as metric
# twins, spares every test Qt's search through all fonts for a fallback,
# which takes Wine many seconds a face.
replacements='HKCU\Software\Wine\Fonts\Replacements'
"$wine" reg add "$replacements" /v SimSun /d "Noto Serif CJK SC" /f >>"$scratch/wineboot.log" 2>&1
"$wine" reg add "$replacements" /v "Times New Roman" /d "Liberation Serif" /f >>"$scratch/wineboot.log" 2>&1
# Windows 11, which most users now have and on which Qt 6.7 and later change
# their default style, or Windows 10 where Wine does not know 11 (Wine 8's
# own default is Windows 7): both what programs are told and what the
# registry says, which the installer reads.
"$wine" winecfg -v win11 >>"$scratch/wineboot.log" 2>&1 || "$wine" winecfg -v win10 >>"$scratch/wineboot.log" 2>&1
if [ -n "${TESSARIN_WINE_DPI:-}" ]; then
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TESSARIN_WINE_DPI" /f \
    >>"$scratch/wineboot.log" 2>&1
fi
# Without the locale generated, Wine quietly plays an English Windows.
codepage=$("$wine" reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
  tr -d '\r' | sed -n 's/.*REG_SZ *//p')
case $locale in
  zh_CN*) if [ "$codepage" != 936 ]; then
    echo "the scratch Windows has ANSI code page ${codepage:-unknown}, not 936: is $locale generated? (locale -a)"
    exit 1
  fi ;;
esac
"$wineserver" -w
echo "scratch Windows ready: display $display, prefix $scratch/prefix, code page $codepage," \
  "user $(ls "$scratch/prefix/drive_c/users" | grep -vx Public | head -n 1), ${TESSARIN_WINE_DPI:-96} dpi"
