#!/bin/sh
# The program as a user starts it: Tessarin.exe maps its main window, titled
# "Kavrento", within a few seconds, and Esc ends it with exit code 0. Given a
# shortcut, the program is started through it, as from the Start menu, and
# Esc must end every program of the scratch Windows: Wine's start does not
# wait on a shortcut's program everywhere (Wine 10 returns at once), so its
# exit code says nothing of the program's.
#   startup_check.sh SCRATCH PROGRAM.exe|SHORTCUT.lnk
set -eu
scratch=$1
program=$2
. "$(dirname "$0")/wine_env.sh"
limit_ms=${TESSARIN_STARTUP_LIMIT_MS:-10000}

now_ms() { echo $(($(date +%s%N) / 1000000)); }
start=$(now_ms)
case "$program" in
  *.lnk) set -- start /unix "$program" ;;
  *) set -- "$program" ;;
esac
/usr/lib/wine/wine64 "$@" >"$scratch/startup.log" 2>&1 &
pid=$!

# xdotool's own --sync polls only twice a second; this polls every 50 ms.
window=""
while [ -z "$window" ]; do
  if [ $(($(now_ms) - start)) -gt "$limit_ms" ]; then
    echo "no window titled Kavrento mapped within ${limit_ms} ms"
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  if xwininfo -name Kavrento 2>/dev/null | grep -q 'Map State: IsViewable'; then
    window=$(xwininfo -name Kavrento | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
  else
    sleep 0.05
  fi
done
echo "main window mapped after $(($(now_ms) - start)) ms"

xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers Escape
case "$program" in *.lnk)
  # The server ends a few seconds after the last program of the prefix.
  if timeout 10 /usr/lib/wine/wineserver64 -w; then
    echo "ended by Esc: no program of the scratch Windows runs on"
    exit 0
  fi
  echo "still running 10 s after Esc"
  exit 1
esac
waited=0
while kill -0 "$pid" 2>/dev/null; do
  if [ "$waited" -ge 100 ]; then
    echo "still running 10 s after Esc"
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  sleep 0.1
  waited=$((waited + 1))
done
status=0
wait "$pid" || status=$?
echo "ended by Esc with exit code $status"
[ "$status" -eq 0 ]
