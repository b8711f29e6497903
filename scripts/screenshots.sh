#!/bin/sh
# Renews the README's pictures of the windows (docs/*.png) from a dev build.
set -eu
cd "$(dirname "$0")/.."
cmake --preset dev
cmake --build --preset dev --target screenshots
./build/dev/docs/screenshots docs
