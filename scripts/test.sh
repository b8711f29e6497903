#!/bin/sh
# Installs what the build needs, then builds and runs every test: the normal
# build, the sanitizer build, an optimised build, the Windows program under
# Wine and the fuzzer. Run as root or with sudo rights.
#
# Each step's full output goes to build/logs/<step>.log; the screen shows one
# line per step, and the log's end when a step fails.
set -eu
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
packages() {
  as_root apt-get update &&
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
      clang clang-format libclang-rt-dev libbenchmark-dev file \
      lintian appstream desktop-file-utils qt6-translations-l10n \
      sway wtype qt6-wayland jq reprotest diffoscope-minimal faketime git \
      $(cat scripts/windows-packages.txt) &&
    # The Chinese Windows of the Windows tests takes its locale from here.
    { locale -a | grep -qx zh_CN.utf8 || as_root localedef -i zh_CN -c -f UTF-8 zh_CN.UTF-8; }
}

mkdir -p build/logs
summary=""

# step NAME COMMAND...: runs the command with its output in the step's log.
step() {
  name=$1
  shift
  log=build/logs/$name.log
  printf '%-28s' "$name"
  if "$@" >"$log" 2>&1; then
    result=$(grep -E '^[0-9]+% tests passed|^fuzzer:' "$log" | tail -n 1 || true)
    echo "ok${result:+  $result}"
    summary="$summary
  $name: ok${result:+, $result}"
  else
    echo "FAILED"
    tail -n 150 "$log"
    echo
    echo "FAILED: $name (whole output in $log)"
    exit 1
  fi
}

# suite PRESET: configure, build and run the tests of one preset.
suite() {
  cmake --preset "$1" && cmake --build --preset "$1" && ctest --preset "$1"
}

step packages packages
step dev suite dev
step asan suite asan
step optimized suite optimized
# The Windows program, its folder, .zip and installer, tested under Wine.
# Qt for Windows comes from the cache; its first build shows a few lines of
# progress, its whole output in a log beside the cache.
TESSARIN_QT_WINDOWS=$(sh scripts/windows-qt.sh)
export TESSARIN_QT_WINDOWS
step windows suite windows
# Once more in a Chinese Windows, as the users have it: zh-CN with ANSI code
# page 936, a user named in Chinese, a 1920 x 1080 screen at 150 %. The
# releases built above are reused; the checks of the files alone are not
# repeated.
step windows-zh-CN-150% env TESSARIN_WINE_LOCALE=zh_CN.UTF-8 TESSARIN_WINE_USER=张工 \
  TESSARIN_WINE_DPI=144 TESSARIN_SCREEN_SIZE=1920x1080 ctest --preset windows --fixture-exclude-setup releases -E '^(two_releases|signature|signing_refusals|exe_resources|exe_manifest|notice|qt_cache|msi_texts|windows_reproducible)$'
step fuzz sh scripts/fuzz.sh 30

echo
echo "All tests passed:$summary"
