#!/bin/sh
# Runs msiexec in the scratch Windows to its end (2 minutes at most) with its
# own verbose log in LOG, and waits for the prefix to settle. When msiexec
# fails, the end of that log is printed: its exit code alone says little.
#   msiexec.sh SCRATCH LOG ARGUMENTS...           exits with msiexec's code
#   msiexec.sh SCRATCH LOG --may-fail ARGUMENTS...  prints nothing on failure
set -eu
scratch=$1 log=$2
shift 2
quiet=no
if [ "$1" = --may-fail ]; then quiet=yes && shift; fi
. "$(dirname "$0")/wine_env.sh"
rm -f "$log"
status=0
timeout 120 /usr/lib/wine/wine64 msiexec "$@" /l*v "$(echo "Z:$log" | tr / '\\')" >"$log.out" 2>&1 || status=$?
/usr/lib/wine/wineserver64 -w
if [ "$status" -ne 0 ] && [ "$quiet" = no ]; then
  echo "msiexec $* ended with $status; the end of its log ($log):"
  if [ ! -f "$log" ]; then
    echo "(no log written)"
  elif [ "$(head -c 2 "$log" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$log" | tail -n 80
  else
    tail -n 80 "$log"
  fi
  cat "$log.out"
fi
exit "$status"
