#!/bin/sh
# Signs program files and installers in place (Authenticode, SHA-256) with
# the release's code-signing certificate, each timestamped by the server
# named, so that its signature outlives the certificate; "none" signs without
# a timestamp, for a test signature only. A folder stands for every program
# file (.exe, .dll) in it.
#   sign.sh CERTIFICATE.pfx PASSWORD_FILE DESCRIPTION TIMESTAMP_URL|none FILE|FOLDER...
set -eu
pfx=$1 password_file=$2 description=$3 timestamp_url=$4
shift 4
list=${TMPDIR:-/tmp}/sign.$$
for target in "$@"; do
  if [ -d "$target" ]; then find "$target" -type f \( -name '*.exe' -o -name '*.dll' \); else echo "$target"; fi
done | LC_ALL=C sort >"$list"
set -- -pkcs12 "$pfx" -readpass "$password_file" -h sha256 -n "$description"
if [ "$timestamp_url" != none ]; then set -- "$@" -ts "$timestamp_url"; fi
while IFS= read -r file; do
  rm -f "$file.signed"
  if ! osslsigncode sign "$@" -in "$file" -out "$file.signed" >"$file.sign-log" 2>&1 </dev/null; then
    cat "$file.sign-log"
    # No unsigned file may pass for a finished one at the next build.
    rm -f "$file" "$file.signed" "$file.sign-log" "$list"
    echo "signing $file failed"
    exit 1
  fi
  mv "$file.signed" "$file"
  rm -f "$file.sign-log"
done <"$list"
rm -f "$list"
