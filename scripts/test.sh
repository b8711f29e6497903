#!/bin/sh
# Installs what the build needs, then builds and runs every test: the normal
# build, the sanitizer build, the Windows layer under Wine and the fuzzer. Run as root or with sudo rights.
set -eu
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev \
  libgtest-dev libbenchmark-dev \
  qt6-base-dev fonts-noto-cjk fonts-liberation2 \
  binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64 wine64 dpkg-dev file

for preset in dev asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# The Windows layer: cross-built with mingw-w64, run against the real
# registry and CreateProcessA under Wine.
cmake --preset windows-check
cmake --build --preset windows-check
ctest --preset windows-check

# The fuzzer writes what it finds into a scratch corpus, never into the seeds.
cmake --preset fuzz
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
./build/fuzz/fuzz/span_fuzz -max_total_time=30 -print_final_stats=1 build/fuzz/corpus fuzz/corpus
