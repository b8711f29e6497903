#!/bin/sh
# Start-up to the first painted main window (startup_window) against a bare
# Qt program showing an empty 528 x 385 window (startup_bare), as whole
# processes: wall seconds and peak RSS from /usr/bin/time (Debian package
# "time"), the two run in turn A B A B so that drift of the machine's speed
# hits both alike. Prints the medians and the ratios window/bare.
#
# usage: bench/startup.sh [-n RUNS] [--xvfb | --wine] BUILD_BENCH_DIR
#   BUILD_BENCH_DIR  the directory holding both binaries, e.g. build/dev/bench
#   -n RUNS          runs of each program, the first discarded (default 20)
#   --xvfb           run under Xvfb with the xcb platform (needs xvfb-run);
#                    otherwise QT_QPA_PLATFORM=offscreen
#   --wine           the Windows builds (build/windows/bench, .exe) under
#                    Wine with the windows platform, in a scratch Windows of
#                    the tests (tests/windows/wine_session.sh); Qt's DLLs are
#                    found where they were built (TESSARIN_QT_WINDOWS)
set -eu

usage() {
    echo "usage: $0 [-n RUNS] [--xvfb] BUILD_BENCH_DIR" >&2
    exit 2
}

runs=20
xvfb=0
wine=0
dir=
while [ $# -gt 0 ]; do
    case $1 in
        -n) [ $# -ge 2 ] || usage; runs=$2; shift 2 ;;
        --xvfb) xvfb=1; shift ;;
        --wine) wine=1; shift ;;
        -h|--help) usage ;;
        -*) usage ;;
        *) [ -z "$dir" ] || usage; dir=$1; shift ;;
    esac
done
[ -n "$dir" ] || usage
case $runs in ''|*[!0-9]*) usage ;; esac
[ "$runs" -ge 2 ] || { echo "$0: -n needs at least 2 (one is the warm-up)" >&2; exit 2; }

dir=$(cd "$dir" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
window=$dir/startup_window
bare=$dir/startup_bare
if [ "$wine" = 1 ]; then
    window=$window.exe
    bare=$bare.exe
fi
for program in "$window" "$bare"; do
    [ -x "$program" ] || { echo "$0: no $program (build targets startup_window and startup_bare)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "$0: /usr/bin/time is missing (apt-get install time)" >&2; exit 2; }

# Under Xvfb the script runs itself once inside one X server, so that the
# server's own start is in neither program's figures.
if [ "$xvfb" = 1 ] && [ -z "${STARTUP_BENCH_IN_XVFB:-}" ]; then
    command -v xvfb-run >/dev/null 2>&1 || { echo "$0: --xvfb needs xvfb-run (apt-get install xvfb)" >&2; exit 2; }
    STARTUP_BENCH_IN_XVFB=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' sh "$0" -n "$runs" --xvfb "$dir"
fi
if [ "$wine" = 1 ]; then
    QT_QPA_PLATFORM=windows
elif [ "$xvfb" = 1 ]; then
    QT_QPA_PLATFORM=xcb
else
    QT_QPA_PLATFORM=offscreen
fi
export QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# Under Wine: one scratch Windows for all runs, its server kept running, so
# that its own start is in neither program's figures.
launch=
if [ "$wine" = 1 ]; then
    [ -n "${TESSARIN_QT_WINDOWS:-}" ] || { echo "$0: --wine needs TESSARIN_QT_WINDOWS (sh scripts/windows-qt.sh)" >&2; exit 2; }
    sh "$here/../tests/windows/wine_session.sh" start "$work/windows" >/dev/null
    trap 'sh "$here/../tests/windows/wine_session.sh" stop "$work/windows"; rm -rf "$work"' EXIT
    WINEPREFIX="$work/windows/prefix" /usr/lib/wine/wineserver64 -p 600
    launch="sh $here/../tests/windows/wine_run.sh $work/windows"
fi

# Qt's note about a missing XDG_RUNTIME_DIR is noise here, not a cost.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
fi

# time's %e comes in hundredths, coarse beside a start of a tenth of a second.
# Where date has a nanosecond clock, each run is also timed from outside in
# milliseconds ("outer ms"); that figure includes the start of /usr/bin/time
# itself, the same for both programs, so it shows spread and drift but its
# ratio reads low and is not printed.
if [ "$(date +%N)" != "%N" ]; then fine=1; else fine=0; fi
now_ns() { date +%s%N; }

# run NAME PROGRAM: one run, appending "wall_s peak_kib outer_ms" to $work/NAME
run() {
    name=$1
    program=$2
    [ "$fine" = 1 ] && t0=$(now_ns)
    # shellcheck disable=SC2086 # the launcher is words
    if ! /usr/bin/time -o "$work/one" -f '%e %M' $launch "$program" >"$work/out" 2>&1; then
        echo "$0: $program failed:" >&2
        cat "$work/out" "$work/one" >&2
        exit 1
    fi
    if [ "$fine" = 1 ]; then
        t1=$(now_ns)
        us=$(( (t1 - t0) / 1000 ))
        ms=$(awk -v us="$us" 'BEGIN { printf "%.1f", us / 1000 }')
    else
        ms=-
    fi
    printf '%s %s\n' "$(tail -n 1 "$work/one")" "$ms" >>"$work/$name"
}

: >"$work/window"
: >"$work/bare"
i=0
while [ "$i" -lt "$runs" ]; do
    run window "$window"
    run bare "$bare"
    i=$((i + 1))
done

# The first pair is the warm-up: caches of disk, fontconfig and the loader.
for name in window bare; do
    sed 1d "$work/$name" >"$work/$name.counted"
done

# median FILE COLUMN
median() {
    cut -d ' ' -f "$2" "$1" | sort -n | awk '
        { v[NR] = $1 }
        END {
            if (NR % 2) m = v[(NR + 1) / 2]; else m = (v[NR / 2] + v[NR / 2 + 1]) / 2
            print m
        }'
}

# Pair by pair ratios window/bare of COLUMN, then their median.
pair_median() {
    paste -d ' ' "$work/window.counted" "$work/bare.counted" |
        awk -v c="$1" '{ n = split($0, f, " "); h = n / 2; if (f[c + h] > 0) printf "%.3f\n", f[c] / f[c + h] }' >"$work/pairs"
    if [ -s "$work/pairs" ]; then median "$work/pairs" 1 | awk '{ printf "%.3f\n", $1 }'; else echo -; fi
}

counted=$((runs - 1))
w_wall=$(median "$work/window.counted" 1)
b_wall=$(median "$work/bare.counted" 1)
w_mem=$(median "$work/window.counted" 2)
b_mem=$(median "$work/bare.counted" 2)

echo "platform $QT_QPA_PLATFORM, $counted counted runs of each after one warm-up, A B A B"
printf '%-16s %12s %14s' program "wall s (%e)" "peak RSS KiB"
[ "$fine" = 1 ] && printf ' %12s' "outer ms"
echo
for name in window bare; do
    printf '%-16s %12s %14s' "startup_$name" "$(median "$work/$name.counted" 1)" "$(median "$work/$name.counted" 2)"
    [ "$fine" = 1 ] && printf ' %12s' "$(median "$work/$name.counted" 3)"
    echo
done
awk -v ww="$w_wall" -v bw="$b_wall" -v wm="$w_mem" -v bm="$b_mem" 'BEGIN {
    printf "ratio of medians window/bare: wall %s, peak RSS %.3f\n", (bw > 0 ? sprintf("%.3f", ww / bw) : "-"), wm / bm
}'
printf 'median of pair ratios window/bare: wall %s, peak RSS %s\n' "$(pair_median 1)" "$(pair_median 2)"
