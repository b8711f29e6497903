#!/bin/sh
# Starts or stops the scratch Windows that the Windows tests run in: a
# desktop of its own (an Xvfb screen with a window manager, which draws the
# windows' frames) and a fresh Wine prefix, both in SCRATCH, never the
# user's own display or ~/.wine.
#   wine_session.sh start SCRATCH
#   wine_session.sh stop SCRATCH
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
# their default style; a Wine that does not know it keeps its own default.
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win11 /f >>"$scratch/wineboot.log" 2>&1
"$wineserver" -w
echo "scratch Windows ready: display $display, prefix $scratch/prefix"
