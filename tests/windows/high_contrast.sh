#!/bin/sh
# Both windows on Windows' High Contrast Black, set in the scratch Windows as
# Windows sets it: the system colours, visual styles off and the high-contrast
# flag on. Every text is then measured from the drawn pixels by the "system"
# row of control_table_test, which must run, not skip; the prefix's own
# settings are put back afterwards for the tests that follow.
#   high_contrast.sh SCRATCH control_table_test.exe
set -eu
scratch=$1
test=$2
. "$(dirname "$0")/wine_env.sh"
wine=/usr/lib/wine/wine64
colours='HKCU\Control Panel\Colors'
theme='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
flag='HKCU\Control Panel\Accessibility\HighContrast'
saved="$scratch/before-high-contrast"

# Each key as it was: imported again from its copy, or removed if it had none.
# The prefix goes on to the next test only once Wine's server has ended, also
# when a key could not be put back, which then fails this test.
put_back() {
  failed=""
  for key in colours theme flag; do
    eval path=\$$key
    "$wine" reg delete "$path" /f >/dev/null 2>&1 || true
    if [ -f "$saved/$key.reg" ] && ! "$wine" reg import "$saved/$key.reg" >/dev/null 2>&1; then
      failed="$failed $path"
    fi
  done
  /usr/lib/wine/wineserver64 -w
  if [ -n "$failed" ]; then echo "could not put back:$failed" && exit 1; fi
}
rm -rf "$saved"
mkdir -p "$saved"
for key in colours theme flag; do
  eval path=\$$key
  "$wine" reg export "$path" "$saved/$key.reg" /y >/dev/null 2>&1 || rm -f "$saved/$key.reg"
done
trap put_back EXIT

# High Contrast Black: black faces, white text, a cyan highlight, green grey text.
while read -r name value; do
  "$wine" reg add "$colours" /v "$name" /d "$value" /f >/dev/null </dev/null
done <<'COLOURS'
ButtonFace 0 0 0
ButtonText 255 255 255
Window 0 0 0
WindowText 255 255 255
Hilight 26 235 255
HilightText 0 0 0
GrayText 63 242 0
Menu 0 0 0
MenuText 255 255 255
InfoWindow 0 0 0
InfoText 255 255 255
COLOURS
"$wine" reg add "$theme" /v ThemeActive /d 0 /f >/dev/null
"$wine" reg add "$flag" /v Flags /d 127 /f >/dev/null
/usr/lib/wine/wineserver64 -w

log="$scratch/high_contrast.txt"
status=0
sh "$(dirname "$0")/wine_run.sh" "$scratch" --qtest "$test" readableInEveryScheme:system >"$log" || status=$?
cat "$log"
[ "$status" -eq 0 ] && grep -q '^PASS   : ControlTableTest::readableInEveryScheme(system)' "$log"
