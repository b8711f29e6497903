#!/bin/sh
# Grabs docs/windows-main-window.png: the Windows program folder's
# Tessarin.exe under Wine, in Wine's own desktop window (title bar and all),
# after typing the reference gear (m 1, α 20°, z 20, x 0) and Enter.
# Needs a built build/windows/Tessarin/ (sh scripts/windows.sh), and
# Debian's imagemagick (import) and fonts-wine (the title bar's buttons).
set -eu
cd "$(dirname "$0")/.."
scratch=$(pwd)/build/windows/screenshot
unset TESSARIN_QT_WINDOWS
sh tests/windows/wine_session.sh start "$scratch" >/dev/null
trap 'sh tests/windows/wine_session.sh stop "$scratch"' EXIT
. tests/windows/wine_env.sh
wine=/usr/lib/wine/wine64
# Wine draws its caption buttons with Marlett (Debian's fonts-wine).
fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
"$wine" reg add "$fonts" /v "Marlett (TrueType)" /d 'Z:\usr\share\wine\fonts\marlett.ttf' /f >/dev/null 2>&1
"$wine" reg add "$fonts" /v "Tahoma (TrueType)" /d 'Z:\usr\share\wine\fonts\tahoma.ttf' /f >/dev/null 2>&1
/usr/lib/wine/wineserver64 -w

program="Z:$(pwd | tr / '\\')\\build\\windows\\Tessarin\\Tessarin.exe"
"$wine" explorer /desktop=shot,600x460 "$program" >/dev/null 2>&1 &
until xwininfo -name Kavrento 2>/dev/null | grep -q IsViewable; do sleep 0.2; done
sleep 1
window=$(xwininfo -name Kavrento | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
xdotool windowfocus --sync "$window"
xdotool key Return Return
xdotool type 20
xdotool key Return
xdotool type 0
xdotool key Return
sleep 1
import -window root -crop 560x430+20+30 docs/windows-main-window.png
xdotool key Escape
echo "docs/windows-main-window.png"
