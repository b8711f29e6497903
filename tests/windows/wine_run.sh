#!/bin/sh
# Runs a Windows program in the scratch Windows of wine_session.sh.
#   wine_run.sh SCRATCH PROGRAM.exe [ARGUMENTS...]
set -eu
scratch=$1
shift
. "$(dirname "$0")/wine_env.sh"
exec /usr/lib/wine/wine64 "$@"
