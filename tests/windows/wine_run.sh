#!/bin/sh
# Runs a Windows program in the scratch Windows of wine_session.sh.
#   wine_run.sh SCRATCH PROGRAM.exe [ARGUMENTS...]
#   wine_run.sh SCRATCH --qtest PROGRAM.exe [ARGUMENTS...]
# A QtTest program's log is lost on its way to a pipe under Wine: with
# --qtest it is written to a file and printed, so that a failure says why.
set -eu
scratch=$1
shift
. "$(dirname "$0")/wine_env.sh"
[ "$1" = --qtest ] || exec /usr/lib/wine/wine64 "$@"
program=$2
shift 2
log="$scratch/$(basename "$program" .exe).txt"
rm -f "$log"
status=0
/usr/lib/wine/wine64 "$program" -o "Z:$log,txt" "$@" >/dev/null 2>&1 </dev/null || status=$?
cat "$log" 2>/dev/null || echo "$(basename "$program") wrote no log: it ended before its first test"
exit "$status"
