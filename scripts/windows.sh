#!/bin/sh
# Builds the Windows program and its installer into build/windows/:
# Tessarin.exe, the program folder Tessarin/, Tessarin-<version>-x64.zip,
# Tessarin-<version>-x64.msi and their SHA256SUMS. Signs them when
# TESSARIN_SIGN_PFX, TESSARIN_SIGN_PASSWORD_FILE and TESSARIN_SIGN_TIMESTAMP_URL
# are set (docs/releasing.md); with a signed release's own signatures, to
# check it, when TESSARIN_SIGNATURES_FROM names the folder holding its .zip
# and MSI. Installs what it needs with apt-get, and builds
# Qt for Windows once (about 25 minutes on 2 cores), cached outside the work
# tree. Run as root or with sudo rights.
set -eu
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
if [ "${1:-}" != "--no-install" ]; then
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    $(cat scripts/windows-packages.txt)
fi

TESSARIN_QT_WINDOWS=$(sh scripts/windows-qt.sh)
export TESSARIN_QT_WINDOWS
cmake --preset windows
cmake --build --preset windows
# This build's files, as its checksums name them: the folder may still hold
# an earlier version's.
echo "Windows program in build/windows: Tessarin/, $(sed 's/^[0-9a-f]* [ *]//' build/windows/SHA256SUMS | tr '\n' ' ')SHA256SUMS"
