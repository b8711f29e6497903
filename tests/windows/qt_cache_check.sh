#!/bin/sh
# scripts/windows-qt.sh with a Qt cached under $XDG_CACHE_HOME (a stand-in,
# made here): --prefix names it there; the script then builds nothing,
# prints that prefix last, and writes the notes of the build beside its
# licences, which ship with the program: the options, the toolchain file,
# this Qt version's patches and no other, and the compiler's package version
# as it was noted when Qt was built.
#   qt_cache_check.sh SOURCE_DIR WORK
set -eu
source_dir=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
script=$source_dir/scripts/windows-qt.sh
export XDG_CACHE_HOME="$work/cache"
prefix=$(sh "$script" --prefix)
# Never a step further elsewhere: the stand-in must not touch a real cache.
case $prefix in
  "$XDG_CACHE_HOME"/tessarin/qt-*-mingw64-*) echo "ok: --prefix names the cache under XDG_CACHE_HOME" ;;
  *) echo "FAILED: with XDG_CACHE_HOME=$XDG_CACHE_HOME, --prefix names $prefix"; exit 1 ;;
esac
upstream=$(basename "$prefix" | sed 's/^qt-\(.*\)-mingw64-.*$/\1/')
notes=$prefix/licenses/build
mkdir -p "$notes"
touch "$prefix/.complete"
echo "0.0-noted-when-built" >"$notes/compiler-version"
echo "a patch of another build" >"$notes/0.0.0-gone.patch"

failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
check "the cached Qt is taken, its prefix printed last" \
  "sh '$script' >'$work/out' 2>'$work/err' && [ \"\$(tail -n 1 '$work/out')\" = '$prefix' ] ||
     { cat '$work/out' '$work/err'; false; }"
check "the notes hold the options and the toolchain file" "[ -s '$notes/options.txt' ] && [ -s '$notes/toolchain.cmake' ]"
(cd "$notes" && LC_ALL=C ls | grep '\.patch$' || true) >"$work/noted"
(cd "$source_dir/scripts/qt-windows-patches" && LC_ALL=C ls | grep "^$upstream-.*\.patch\$" || true) >"$work/patches"
check "the notes hold the patches for Qt $upstream, and no other" "diff '$work/patches' '$work/noted'"
check "the compiler noted when Qt was built is kept" "[ \"\$(cat '$notes/compiler-version')\" = 0.0-noted-when-built ]"

echo "$failures failed"
[ "$failures" -eq 0 ]
