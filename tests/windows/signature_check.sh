#!/bin/sh
# The two releases of two_releases.sh: the one made with a certificate has
# every program file signed where a user meets it (the program folder, the
# .zip, and the MSI), each with SHA-256 and timestamped, trusting that
# certificate and the test's timestamp server; the one made without says that
# it is unsigned, once, and is. A certificate without a timestamp server is
# refused, unless "none" asks for a test signature; a signing that fails
# leaves no file behind.
#   signature_check.sh WORK PRODUCT      (TESSARIN_QT_WINDOWS: Qt for Windows)
set -eu
work=$1 product=$2
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
verify() {
  osslsigncode verify -in "$1" -CAfile "$work/certificate/certificate.pem" \
    -TSA-CAfile "$work/timestamps/tsa.pem" >"$work/verify.out" 2>&1 </dev/null
}
# Signed as Windows demands it today: a valid signature, a SHA-256 digest,
# and a timestamp from the test's own server; described as the product, the
# name Windows shows when it asks whether to run or install it.
signed() {
  verify "$1" && grep -q '^Message digest algorithm: SHA256$' "$work/verify.out" &&
    grep -q "Text description: $product\$" "$work/verify.out" &&
    grep -q 'Timestamp time:' "$work/verify.out" && grep -q 'Issuer: /CN=Tessarin test timestamps' "$work/verify.out" ||
    { echo "  not signed as it should be: $1" && sed 's/^/    /' "$work/verify.out" | tail -n 12 && return 1; }
}
# every_signed FOLDER: each program file in FOLDER, and at least the program's.
every_signed() {
  [ -f "$1/Tessarin.exe" ] || return 1
  find "$1" -type f \( -name '*.exe' -o -name '*.dll' \) | LC_ALL=C sort >"$work/program-files"
  while IFS= read -r file; do signed "$file" || return 1; done <"$work/program-files"
}

old=$work/old new=$work/new
rm -rf "$work/unzipped"
unzip -q "$old"/Tessarin-*-x64.zip -d "$work/unzipped"
check "signed: every program file of the folder" "every_signed '$old/Tessarin'"
check "signed: every program file in the .zip" "every_signed '$work/unzipped/Tessarin'"
check "signed: the MSI" "signed $old/Tessarin-*-x64.msi"
check "SHA256SUMS holds the signed .zip and MSI" \
  "(cd '$old' && [ \"\$(wc -l <SHA256SUMS)\" -eq 2 ] && sha256sum --check --strict SHA256SUMS)"
check "the build with a certificate says it signs, with a timestamp" \
  "grep -q 'Windows program: signed with .*, timestamped by http://127.0.0.1' '$old/build.log'"
check "the build without one says once that it is unsigned" "[ \"\$(grep -c unsigned '$new/build.log')\" -eq 1 ]"
check "and its Tessarin.exe and MSI are unsigned" "! verify '$new/Tessarin/Tessarin.exe' && ! verify $new/Tessarin-*-x64.msi"

# configure TIMESTAMP_URL: configures the sources with the certificate.
configure() {
  (cd "$work/src" && cmake --preset windows -B "$work/configured" -DBUILD_TESTING=OFF \
    -DTESSARIN_SIGN_PFX="$work/certificate/certificate.pfx" \
    -DTESSARIN_SIGN_PASSWORD_FILE="$work/certificate/password.txt" -DTESSARIN_SIGN_TIMESTAMP_URL="$1") \
    >"$work/configure.log" 2>&1
}
check "a certificate without a timestamp server is refused" \
  "! configure '' && grep -q 'Signing needs a timestamp server' '$work/configure.log'"
check "unless none asks for a test signature" \
  "configure none && grep -q 'WITHOUT A TIMESTAMP: a test signature' '$work/configure.log'"

# A signing that fails: the file goes, so that no unsigned file passes for a
# signed one at the next build.
mkdir -p "$work/failing"
cp "$old/Tessarin/Qt6Core.dll" "$work/failing/"
echo "not the password" >"$work/failing/password.txt"
check "a signing that fails fails the build and leaves no file" \
  "! sh '$work/src/packaging/windows/sign.sh' '$work/certificate/certificate.pfx' '$work/failing/password.txt' \
     Kavrento none '$work/failing' >'$work/failing/sign.log' 2>&1 && [ ! -e '$work/failing/Qt6Core.dll' ]"

echo "$failures failed"
[ "$failures" -eq 0 ]
