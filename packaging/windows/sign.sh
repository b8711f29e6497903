#!/bin/sh
# Signs a program file or an installer in place (Authenticode, SHA-256) with
# the release's code-signing certificate, timestamped when a server is named.
#   sign.sh CERTIFICATE.pfx PASSWORD_FILE DESCRIPTION FILE [TIMESTAMP_URL]
set -eu
pfx=$1 password_file=$2 description=$3 file=$4 timestamp_url=${5:-}
set -- -pkcs12 "$pfx" -readpass "$password_file" -h sha256 -n "$description"
if [ -n "$timestamp_url" ]; then set -- "$@" -ts "$timestamp_url"; fi
rm -f "$file.signed"
if ! osslsigncode sign "$@" -in "$file" -out "$file.signed" >"$file.sign-log" 2>&1; then
  cat "$file.sign-log"
  # No unsigned file may pass for a finished one at the next build.
  rm -f "$file" "$file.signed" "$file.sign-log"
  echo "signing $file failed"
  exit 1
fi
mv "$file.signed" "$file"
rm -f "$file.sign-log"
