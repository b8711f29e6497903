#!/bin/sh
# The program as the package installs it, on a Wayland desktop of the
# test's own: sway on its headless backend with Qt's Wayland plugin, run as
# an ordinary user (sway refuses root; as root, the user nobody). From sway's
# window tree and the program's own Wayland requests it checks that:
# - the main window is shown at its fixed size, titled Kavrento, with the
#   desktop entry's name as its application id, so that the desktop ties it
#   to the entry's icon and menu name;
# - Alt+H opens the About window as a window of the main one, Esc closes it;
# - Esc on the main window ends the program with exit status 0.
#   wayland_check.sh BUILD_DIR
set -eu
build=$1

fail() {
  echo "wayland: $*" >&2
  for log in sway program; do
    if [ -s "$run/$log.log" ]; then
      echo "--- the end of $log.log:" >&2
      grep -v '^\[' "$run/$log.log" | tail -n 30 >&2  # without the Wayland requests
    fi
  done
  exit 1
}

for tool in sway swaymsg wtype jq setpriv; do
  command -v "$tool" >/dev/null || { echo "wayland: $tool is missing (Debian's sway, wtype and jq)" >&2; exit 1; }
done

# Everything under one folder that the user can reach, wherever the build is.
run=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-wayland.XXXXXX")
chmod 755 "$run"
pids=""
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

DESTDIR="$run/root" cmake --install "$build" --prefix /usr >"$run/install.log" 2>&1 ||
  { cat "$run/install.log" >&2; fail "installing failed"; }
entries=$(find "$run/root/usr/share/applications" -name '*.desktop')
[ "$(echo "$entries" | wc -l)" -eq 1 ] && [ -n "$entries" ] || fail "expected one desktop entry, found: $entries"
desktop_id=$(basename "$entries" .desktop)

as_user=""
if [ "$(id -u)" -eq 0 ]; then
  as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
  chown nobody:nogroup "$run"
fi
# The user may not reach the build's folder: the leak suppressions go along.
case ${LSAN_OPTIONS:-} in *suppressions=*)
  suppressions=${LSAN_OPTIONS#*suppressions=}
  cp "${suppressions%%:*}" "$run/leaks.supp"
  LSAN_OPTIONS=$(echo "$LSAN_OPTIONS" | sed "s|suppressions=[^:]*|suppressions=$run/leaks.supp|") ;;
esac
mkdir -m 700 "$run/xdg"
[ -z "$as_user" ] || chown nobody:nogroup "$run/xdg"
echo "xwayland disable" >"$run/sway.conf"
# user COMMAND...: becomes the command, run as the desktop's user in its
# session; called in a subshell, so that a background one's pid is the
# command's own.
user() {
  exec env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$run" XDG_RUNTIME_DIR="$run/xdg" XDG_CACHE_HOME="$run/xdg/cache" \
    ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY} ${SWAYSOCK:+SWAYSOCK=$SWAYSOCK} \
    ${LSAN_OPTIONS:+LSAN_OPTIONS=$LSAN_OPTIONS} ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} \
    $as_user "$@"
}
# await WHAT CONDITION...: polls for 20 s at most.
await() {
  what=$1
  shift
  tries=0
  until "$@"; do
    tries=$((tries + 1))
    [ "$tries" -le 200 ] || fail "$what: not within 20 s; the windows: $(tr '\n' ';' <"$run/windows" 2>/dev/null)"
    sleep 0.1
  done
}

user env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$run/sway.conf" >"$run/sway.log" 2>&1 </dev/null &
pids="$!"
sockets_ready() {
  WAYLAND_DISPLAY=$(cd "$run/xdg" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n 1)
  SWAYSOCK=$(ls "$run"/xdg/sway-ipc.*.sock 2>/dev/null | head -n 1)
  [ -n "$WAYLAND_DISPLAY" ] && [ -n "$SWAYSOCK" ]
}
await "sway's sockets" sockets_ready
export WAYLAND_DISPLAY SWAYSOCK

# A keyboard that stays for the whole check: a window started while the
# seat had none would not hear the keys typed later.
user wtype -s 900000 >/dev/null 2>&1 &
pids="$pids $!"
key() { (user wtype "$@") || fail "wtype $* failed"; }

# windows: each window of the tree as "title|app id|width x height".
windows() {
  (user swaymsg -t get_tree) | jq -r '.. | objects | select(has("app_id") and .app_id != null)
    | "\(.name)|\(.app_id)|\(.geometry.width)x\(.geometry.height)"'
}
shown() { windows >"$run/windows" && grep -qxF "$1" "$run/windows"; }
gone() { windows >"$run/windows" && ! grep -q "^$1|" "$run/windows"; }
# A key is typed once the window meant for it is active in the program: the
# compositor has made it so and the program has taken it (acked the
# configure that says so), some time after a window opens or another closes.
# active FROM TITLE: so, in the program's log after line FROM.
active() {
  toplevel=$(toplevel "$2")
  surface=$(sed -n "s/.*-> xdg_surface[@#]\([0-9]*\)\.get_toplevel(new id xdg_toplevel[@#]$toplevel).*/\1/p" \
    "$run/program.log" | tail -n 1)
  [ -n "$surface" ] && awk -v from="$1" -v t="$toplevel" -v s="$surface" '
    NR > from && $0 ~ ("xdg_toplevel[@#]" t "[.]configure[(].*array[[][1-9]") { configured = 1 }
    configured && $0 ~ ("-> xdg_surface[@#]" s "[.]ack_configure[(]") { found = 1 }
    END { exit !found }' "$run/program.log"
}
lines() { wc -l <"$run/program.log"; }
# (libwayland writes an object as xdg_toplevel@N, from 1.22 on as #N.)
toplevel() { sed -n "s/.*-> xdg_toplevel[@#]\([0-9]*\)\.set_title(\"$1\").*/\1/p" "$run/program.log" | tail -n 1; }

user env QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client XDG_DATA_DIRS="$run/root/usr/share:/usr/share" \
  "$run/root/usr/bin/Tessarin" >"$run/program.log" 2>&1 </dev/null &
program=$!
pids="$pids $program"

# The client area of 7920 x 5775 twips, 528 x 385 pixels at 96 dpi.
await "the main window, 528 x 385 with the entry's id $desktop_id" shown "Kavrento|$desktop_id|528x385"
await "the main window active" active 0 Kavrento
from=$(lines)
key -M alt -k h -m alt
await "the About window after Alt+H" shown "关于 Movelant|$desktop_id|371x322"
await "the About window active" active "$from" "关于 Movelant"
# Tied to the main window: its toplevel names the main one's as parent.
main_toplevel=$(toplevel Kavrento)
about_toplevel=$(toplevel '关于 Movelant')
grep -q -- "-> xdg_toplevel[@#]$about_toplevel\.set_parent(xdg_toplevel[@#]$main_toplevel)" "$run/program.log" ||
  fail "the About window (toplevel $about_toplevel) is not a window of the main one (toplevel $main_toplevel)"
from=$(lines)
key -k Escape
await "Esc closing the About window" gone "关于 Movelant"
shown "Kavrento|$desktop_id|528x385" || fail "the main window went with the About window"
await "the main window active again" active "$from" Kavrento
key -k Escape
ended() { ! kill -0 "$program" 2>/dev/null; }
await "Esc on the main window ending the program" ended
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "wayland: Kavrento as $desktop_id at 528 x 385, its About window as its child; Esc ended it with status 0"
