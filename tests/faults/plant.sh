#!/bin/sh
# Plants the faults of tests/faults/list, one at a time, in a scratch copy of
# the tree (build/faults/src, with its own dev build, and its own Windows build
# for the faults whose tests are marked "windows:"), rebuilds, runs the tests
# named with each fault and says whether they catch it. The tree itself is
# never touched. Every fault listed is one the suite catches: the script
# fails when any of them is missed, and writes each outcome to
# build/faults/logs/results.
# The list holds one fault a line, its fields split by tabs: an id, the file,
# the tests to run (a ctest regex; "windows:" before it for the Windows
# build), a text that occurs once in the file, what replaces it, and what the
# fault is.
#   sh tests/faults/plant.sh            every fault
#   sh tests/faults/plant.sh ID...      only these
set -u
tree=$(cd "$(dirname "$0")/../.." && pwd)
list="$tree/tests/faults/list"
scratch="$tree/build/faults/src"
logs="$tree/build/faults/logs"
tab=$(printf '\t')
planted=""

restore() {
    if [ -n "$planted" ]; then
        cp "$tree/$planted" "$scratch/$planted"
        planted=""
    fi
}
trap 'restore; exit 130' INT TERM HUP
trap restore EXIT

# The scratch copy follows the tree's files, committed or not; a file only
# rewritten when it differs, so that the build stays incremental.
mkdir -p "$scratch" "$logs"
cd "$tree" || exit 1
git ls-files --cached --others --exclude-standard | sort >"$logs/files.new"
if [ -f "$logs/files" ]; then
    comm -23 "$logs/files" "$logs/files.new" | while IFS= read -r gone; do rm -f "$scratch/$gone"; done
fi
while IFS= read -r file; do
    [ -f "$file" ] || continue
    if ! cmp -s "$file" "$scratch/$file"; then
        mkdir -p "$scratch/$(dirname "$file")"
        cp "$file" "$scratch/$file"
    fi
done <"$logs/files.new"
mv "$logs/files.new" "$logs/files"

cd "$scratch" || exit 1
# The faults to plant: every one listed, or those named.
: >"$logs/selected"
while IFS= read -r line; do
    case "$line" in '#'* | '') continue ;; esac
    id=${line%%"$tab"*}
    wanted=yes
    if [ $# -gt 0 ]; then
        wanted=no
        for want in "$@"; do [ "$want" = "$id" ] && wanted=yes; done
    fi
    [ $wanted = no ] || printf '%s\n' "$line" >>"$logs/selected"
done <"$list"
# tests_of PRESET: a regex of the tests that the selected faults name for it.
tests_of() {
    cut -f3 "$logs/selected" | if [ "$1" = windows ]; then sed -n 's/^windows://p'; else grep -v '^windows:'; fi |
        sort -u | paste -sd'|' -
}
presets=""
[ -z "$(tests_of dev)" ] || presets=dev
if [ -n "$(tests_of windows)" ]; then
    presets="$presets windows"
    TESSARIN_QT_WINDOWS=$(sh scripts/windows-qt.sh) || { echo "no Qt for Windows"; exit 1; }
    export TESSARIN_QT_WINDOWS
fi
for preset in $presets; do
    # Configured at every run: the preset's values follow the machine, as a
    # Qt for Windows cached anew under another name.
    cmake --preset $preset >"$logs/configure-$preset.log" 2>&1 ||
        { echo "configure failed: $logs/configure-$preset.log"; exit 1; }
    cmake --build "build/$preset" >"$logs/build-$preset.log" 2>&1 ||
        { echo "the unchanged tree does not build: $logs/build-$preset.log"; exit 1; }
    # Every test that a fault names must pass on the unchanged tree first.
    ctest --test-dir "build/$preset" -R "$(tests_of $preset)" --timeout 900 >"$logs/unchanged-$preset.log" 2>&1 ||
        { echo "the unchanged tree fails its tests: $logs/unchanged-$preset.log"; exit 1; }
done

# Plants `find` -> `replace` in `file`; fails unless `find` occurs exactly once.
plant() {
    FAULT_FIND=$3 FAULT_REPLACE=$4 LC_ALL=C awk '
        BEGIN { f = ENVIRON["FAULT_FIND"]; r = ENVIRON["FAULT_REPLACE"]; n = 0 }
        {
            line = $0; out = ""
            while ((at = index(line, f)) > 0) {
                out = out substr(line, 1, at - 1) r; line = substr(line, at + length(f)); n++
            }
            print out line
        }
        END { exit n == 1 ? 0 : 3 }' "$1" >"$2"
}

out="$logs/results"
: >"$out"
while IFS="$tab" read -r id file tests find replace description; do
    log="$logs/$id.log"
    case "$tests" in
        windows:*) build="$scratch/build/windows" tests=${tests#windows:} ;;
        *) build="$scratch/build/dev" ;;
    esac
    if ! plant "$tree/$file" "$scratch/$file.planted" "$find" "$replace"; then
        outcome="error: the text is not in $file exactly once"
    else
        planted=$file
        mv "$scratch/$file.planted" "$scratch/$file"
        if ! cmake --build "$build" >"$log" 2>&1 </dev/null; then
            outcome="error: does not build"
        elif [ "$(ctest --test-dir "$build" -N -R "$tests" </dev/null | grep -c 'Test *#')" -eq 0 ]; then
            outcome="error: no test matches $tests"
        elif ctest --test-dir "$build" -R "$tests" --timeout 900 --output-on-failure >>"$log" 2>&1 </dev/null; then
            outcome=missed
        else
            outcome=caught
        fi
        restore
    fi
    printf '%s\t%s\t%s\n' "$outcome" "$id" "$description" | tee -a "$out"
    [ "$outcome" = caught ] || echo "  see $log"
done <"$logs/selected"

# The builds go back to the unchanged tree.
for preset in $presets; do cmake --build "build/$preset" >"$logs/build-$preset.log" 2>&1; done
echo "$(grep -c '^caught' "$out") caught, $(grep -c '^missed' "$out") missed, $(grep -c '^error' "$out") in error"
! grep -q -v '^caught' "$out"
