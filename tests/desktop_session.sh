#!/bin/sh
# Starts or stops a desktop of the tests' own: an Xvfb screen with a small
# real window manager (openbox), which draws title bars and borders as a
# user's desktop does. Never the user's own display.
#   desktop_session.sh start SCRATCH   the display's name goes to SCRATCH/display
#   desktop_session.sh stop SCRATCH
#   desktop_session.sh run SCRATCH PROGRAM [ARGUMENTS...]   on that display
# The screen is 1280 x 800 pixels, or TESSARIN_SCREEN_SIZE (e.g. 1920x1080),
# of which the bottom 48 are kept free, as for a taskbar.
set -eu
action=$1
scratch=$2

if [ "$action" = run ]; then
  shift 2
  DISPLAY=$(cat "$scratch/display")
  export DISPLAY
  exec "$@"
fi

if [ "$action" = stop ]; then
  for pid in "$scratch/wm.pid" "$scratch/xvfb.pid"; do
    if [ -f "$pid" ]; then kill "$(cat "$pid")" 2>/dev/null || true; fi
  done
  rm -f "$scratch/display" "$scratch/wm.pid" "$scratch/xvfb.pid"
  exit 0
fi

sh "$0" stop "$scratch"
mkdir -p "$scratch"
# Xvfb picks a free display and tells it through a pipe; it runs on after
# this script, its output in a file so that ctest does not wait for it.
fifo="$scratch/displayfd"
rm -f "$fifo"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${TESSARIN_SCREEN_SIZE:-1280x800}x24" -nolisten tcp 3>"$fifo" >"$scratch/xvfb.log" 2>&1 </dev/null &
echo $! >"$scratch/xvfb.pid"
read -r display <"$fifo"
rm -f "$fifo"
DISPLAY=":$display"
export DISPLAY
# Like a taskbar, a strip at the bottom is kept free: windows are placed on
# the free area, not on the whole screen.
cat >"$scratch/openbox.xml" <<'EOF'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>48</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF
openbox --config-file "$scratch/openbox.xml" >"$scratch/wm.log" 2>&1 </dev/null &
echo $! >"$scratch/wm.pid"
# The window manager is ready once it has announced itself on the screen.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ]; then
    echo "the window manager did not start: $(cat "$scratch/wm.log")" >&2
    exit 1
  fi
  sleep 0.1
done
echo "$DISPLAY" >"$scratch/display"
echo "desktop ready: display $DISPLAY with openbox"
