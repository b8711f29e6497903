#!/bin/sh
# Installs what the program needs, builds it and starts it.
# Run as root or with sudo rights, from a desktop session.
set -eu
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n fonts-noto-cjk fonts-liberation2

cmake --preset release
cmake --build --preset release
exec ./build/release/ui/Tessarin
