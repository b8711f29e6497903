#!/bin/sh
# The two releases of two_releases.sh: the one made with a certificate is
# signed where a user meets it (the program file, the program file in the
# .zip, the MSI), trusting that certificate; the one made without says that
# it is unsigned, once, and is.
#   signature_check.sh WORK
set -eu
work=$1
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
verify() { osslsigncode verify -in "$1" -CAfile "$work/certificate/certificate.pem" >>"$work/verify.log" 2>&1; }

old=$work/old new=$work/new
unzip -p "$old"/Tessarin-*-x64.zip Tessarin/Tessarin.exe >"$work/zipped-Tessarin.exe"
check "signed: Tessarin.exe in the program folder" "verify '$old/Tessarin/Tessarin.exe'"
check "signed: Tessarin.exe in the .zip" "verify '$work/zipped-Tessarin.exe'"
check "signed: the MSI" "verify $old/Tessarin-*-x64.msi"
check "SHA256SUMS holds the signed .zip and MSI" \
  "(cd '$old' && [ \"\$(wc -l <SHA256SUMS)\" -eq 2 ] && sha256sum --check --strict SHA256SUMS)"
check "the build with a certificate says it signs" "grep -q 'Windows program: signed with ' '$old/build.log'"
check "the build without one says once that it is unsigned" "[ \"\$(grep -c unsigned '$new/build.log')\" -eq 1 ]"
check "and its Tessarin.exe and MSI are unsigned" "! verify '$new/Tessarin/Tessarin.exe' && ! verify $new/Tessarin-*-x64.msi"

echo "$failures failed"
[ "$failures" -eq 0 ]
