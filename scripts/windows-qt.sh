#!/bin/sh
# Builds Qt 6 for 64-bit Windows (x86_64-w64-mingw32, posix threads, DLLs)
# from Debian's own qt6-base source, the same version as the host tools, and
# installs it into a cache outside the work tree. A complete cached Qt is
# reused, so a fresh clone on the same machine does not build it again.
#
#   sh scripts/windows-qt.sh           build if needed; print the prefix last
#   sh scripts/windows-qt.sh --prefix  print the prefix only, build nothing
#
# Needs (installed by scripts/windows.sh and scripts/test.sh): dpkg-dev, patch,
# qt6-base-dev-tools, g++-mingw-w64-x86-64, cmake, ninja-build.
# Run as root or with sudo rights: the source may need a deb-src entry.
set -eu

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
upstream=${qt_version%%+*}
upstream=${upstream%%-*}

# Only what the windows and their tests need. Debian's source drops
# src/3rdparty/wintab, which tablet events and direct2d include; without
# direct2d, DirectWrite 3 has no font database to link to, so the windows
# platform plugin uses the GDI one.
options="
-DCMAKE_BUILD_TYPE=Release
-DBUILD_SHARED_LIBS=ON
-DQT_BUILD_EXAMPLES=OFF
-DQT_BUILD_TESTS=OFF
-DQT_QMAKE_TARGET_MKSPEC=win32-g++
-DINPUT_opengl=no
-DFEATURE_vulkan=OFF
-DFEATURE_dbus=OFF
-DFEATURE_sql=OFF
-DFEATURE_network=OFF
-DFEATURE_xml=OFF
-DFEATURE_concurrent=OFF
-DFEATURE_printsupport=OFF
-DFEATURE_icu=OFF
-DFEATURE_zstd=OFF
-DFEATURE_jpeg=OFF
-DFEATURE_gif=OFF
-DFEATURE_ico=OFF
-DFEATURE_tabletevent=OFF
-DFEATURE_direct2d=OFF
-DFEATURE_directwrite3=OFF
-DFEATURE_pkg_config=OFF
-DFEATURE_system_zlib=OFF
-DFEATURE_system_pcre2=OFF
-DFEATURE_system_png=OFF
-DFEATURE_system_freetype=OFF
-DFEATURE_system_harfbuzz=OFF
-DFEATURE_system_doubleconversion=OFF
-DFEATURE_testlib=ON
-DFEATURE_widgets=ON
"
# From Qt 6.7 on, Qt's sources build as unity sources: the first build takes
# half the time, which a fresh CI machine, building two Qts, needs.
case $upstream in
  6.[0-6].*) ;;
  *) options="$options-DQT_UNITY_BUILD=ON
" ;;
esac

# The toolchain Qt is built with; its text is part of the cache key.
toolchain_text='set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_AR x86_64-w64-mingw32-gcc-ar-posix)
set(CMAKE_RANLIB x86_64-w64-mingw32-gcc-ranlib-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)'

# Small fixes to Qt's own source where a version needs one to build here,
# each named after the Qt version it is for; they are part of the cache key.
patches=$(find "$(dirname "$0")/qt-windows-patches" -name "$upstream-*.patch" 2>/dev/null | sort)

# Two builds in two caches give the same DLLs: the link time is the Debian
# source's own date (its changelog's, as Debian's builds take it), and the
# build folder, which lies under the cache, is mapped out of the paths that
# Qt's asserts and warnings keep. Part of the cache key, since a Qt built
# without them is not the Qt a release's auditor can build again.
reproducible='SOURCE_DATE_EPOCH=debian/changelog -ffile-prefix-map=<build folder>=.'

key=$( { echo "$qt_version"; echo "$options"; echo "$toolchain_text"; echo "$reproducible";
         for p in $patches; do cat "$p"; done;
         x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || true; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tessarin
prefix=$cache/qt-$upstream-mingw64-$key

if [ "${1:-}" = "--prefix" ]; then
  echo "$prefix"
  exit 0
fi

# What the cached Qt was built from, kept beside its licence texts, which ship
# with the program, so that the notice can say it: the options, the toolchain
# and the patches (all part of the cache key, so true of the cached build),
# and the compiler's Debian version, noted when the build was made.
write_build_facts() {
  facts=$prefix/licenses/build
  mkdir -p "$facts"
  printf '%s' "$options" | sed '/^$/d' >"$facts/options.txt"
  printf '%s\n' "$toolchain_text" >"$facts/toolchain.cmake"
  rm -f "$facts"/*.patch
  for p in $patches; do cp "$p" "$facts/"; done
  [ -f "$facts/compiler-version" ] ||
    dpkg-query -W -f='${Version}\n' g++-mingw-w64-x86-64-posix >"$facts/compiler-version"
}

if [ -f "$prefix/.complete" ]; then
  write_build_facts
  echo "Qt for Windows: cached in $prefix" >&2
  echo "$prefix"
  exit 0
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The build's whole output goes to a log beside the cache; the screen gets a
# few lines of progress, and the log's end if a phase fails.
log=$cache/qt-$upstream-mingw64-$key.log
failed() {
  echo "Qt for Windows: $1 failed; the end of its log, $log:" >&2
  tail -n 60 "$log" >&2
  exit 1
}
# phase WHAT COMMAND...: one phase of the build, its output in the log.
phase() {
  what=$1
  shift
  echo "Qt for Windows: $what" >&2
  "$@" >>"$log" 2>&1 || failed "$what"
}

echo "Qt for Windows: not cached yet. The first build is slow: on 2 cores about 25" >&2
echo "minutes for Qt 6.4, 17 for Qt 6.8 (as unity sources); 300 MB of source and" >&2
echo "1.6 GB of build files (removed afterwards)." >&2

work=$cache/qt-$upstream-mingw64-$key.work
rm -rf "$work"
mkdir -p "$work"
: >"$log"
echo "Qt for Windows: whole output in $log" >&2

# The source comes from the archive, the way apt-get source takes it. Where
# the machine has no deb-src entry, one is derived from its own Debian
# sources, so that the archive's signed index vouches for the tarball.
# (apt-cache showsrc takes no version: the versions it lists are compared.)
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -qxF "Version: $qt_version"; then
  echo "Qt for Windows: adding deb-src entries beside the machine's Debian sources" >&2
  for f in /etc/apt/sources.list.d/*.sources; do
    # Binary sources only, never the script's own deb-src copies: copying
    # those again would configure each source twice more at every run.
    case ${f##*/} in tessarin-src-*) continue ;; esac
    [ -f "$f" ] || continue
    grep -Eq '^Types:(.* )?deb( |$)' "$f" && grep -q '^URIs:.*debian' "$f" || continue
    sed 's/^Types:.*/Types: deb-src/' "$f" |
      as_root tee "/etc/apt/sources.list.d/tessarin-src-$(basename "$f")" >/dev/null
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb .*debian' /etc/apt/sources.list; then
    grep '^deb .*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/tessarin-src.list >/dev/null
  fi
  phase "reading the package lists" as_root apt-get update
fi
fetch() (cd "$work" && apt-get source "qt6-base=$qt_version")
phase "fetching the source of qt6-base $qt_version" fetch
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
for p in $patches; do
  phase "patching: $(basename "$p")" patch -d "$src" -p1 --forward -i "$(cd "$(dirname "$p")" && pwd)/$(basename "$p")"
done

printf '%s\n' "$toolchain_text" > "$work/toolchain.cmake"
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH
# shellcheck disable=SC2086 # the options are one per word
phase configuring cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=." \
  -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=." \
  $options

# Progress from Ninja's [done/total] in the log: one line that updates on a
# terminal, else a line at each quarter of the way.
cmake --build "$work/build" --parallel "$(nproc)" >>"$log" 2>&1 &
build=$!
latest() { tail -c 4096 "$log" | grep -o '^\[[0-9]*/[0-9]*\]' | tail -n 1 | tr -d '[]'; }
step="" shown=-1
show() {
  [ -n "$1" ] && [ "$1" != "$step" ] || return 0
  step=$1
  if [ -t 2 ]; then
    printf '\rQt for Windows: building %s' "$step" >&2
  elif [ $((${step%/*} * 4 / ${step#*/})) -gt "$shown" ]; then
    shown=$((${step%/*} * 4 / ${step#*/}))
    echo "Qt for Windows: building $step" >&2
  fi
}
while kill -0 "$build" 2>/dev/null; do
  sleep 2
  show "$(latest)"
done
show "$(latest)"
if [ -t 2 ] && [ -n "$step" ]; then echo >&2; fi
wait "$build" || failed building
phase installing cmake --install "$work/build"

# The licence texts of Qt and of the third-party code it bundles: every
# qt_attribution.json under src/ names its component and its licence file.
mkdir -p "$prefix/licenses/3rdparty"
cp "$src"/LICENSES/* "$prefix/licenses/"
cp "$src/debian/copyright" "$prefix/licenses/debian-copyright"
echo "$qt_version" > "$prefix/licenses/debian-source-version"
write_build_facts
find "$src/src" -name qt_attribution.json | while read -r attribution; do
  dir=$(dirname "$attribution")
  name=$(echo "${dir#"$src"/src/}" | tr '/' '-')
  mkdir -p "$prefix/licenses/3rdparty/$name"
  cp "$attribution" "$prefix/licenses/3rdparty/$name/"
  sed -n 's/.*"LicenseFiles\{0,1\}": *"\([^"]*\)".*/\1/p' "$attribution" | while read -r file; do
    if [ -f "$dir/$file" ]; then cp "$dir/$file" "$prefix/licenses/3rdparty/$name/"; fi
  done
done

touch "$prefix/.complete"
rm -rf "$work"
echo "Qt for Windows: built and cached in $prefix" >&2
echo "$prefix"
