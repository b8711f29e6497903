#!/bin/sh
# What signing refuses, with a throwaway certificate made here: a certificate
# without a timestamp server, or without an existing password file, or beside
# a release's signatures, and a release's signatures from a folder that does
# not hold the release, stop the configure and say why; a signing that fails (a wrong password) fails, says
# which file and osslsigncode's reason, and leaves no file behind, so that no
# unsigned file passes for a signed one at the next build, nor a temporary
# one.
#   signing_refusals.sh SOURCE_DIR WORK PROGRAM_FILE   (TESSARIN_QT_WINDOWS: Qt for Windows)
set -eu
source_dir=$1 work=$2 program_file=$3
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
rm -rf "$work"
mkdir -p "$work/failing" "$work/tmp"
cert=$work/certificate
echo "throwaway $$" >"$work/password.txt"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tessarin test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/certificate.pem" 2>"$work/openssl.log"
openssl pkcs12 -export -in "$work/certificate.pem" -inkey "$work/key.pem" -passout "file:$work/password.txt" \
  -out "$cert.pfx"

# configure PFX PASSWORD_FILE TIMESTAMP_URL SIGNATURES_FROM: configures the
# sources, the signing settings in the environment, where the windows preset
# reads them.
configure() {
  (cd "$source_dir" && TESSARIN_SIGN_PFX=$1 TESSARIN_SIGN_PASSWORD_FILE=$2 TESSARIN_SIGN_TIMESTAMP_URL=$3 \
    TESSARIN_SIGNATURES_FROM=$4 cmake --preset windows -B "$work/configured" -DBUILD_TESTING=OFF -DTESSARIN_BUILD_BENCH=OFF) \
    >"$work/configure.log" 2>&1 </dev/null
}
while IFS='|' read -r what pfx password url from says; do
  # CMake wraps its messages: the words are compared, not the lines.
  check "refused: $what" "! configure '$pfx' '$password' '$url' '$from' &&
    tr -s ' \\n' '  ' <'$work/configure.log' | grep -qF '$says' ||
    { tail -n 20 '$work/configure.log'; false; }"
done <<REFUSED
a certificate without a timestamp server|$cert.pfx|$work/password.txt|||Signing needs a timestamp server
a certificate without a password file|$cert.pfx||||"" is not one
a password file that is not there|$cert.pfx|$work/lost.txt|none||"$work/lost.txt" is not one
a certificate and a release's signatures both|$cert.pfx|$work/password.txt|none|$work|not both
a release's signatures from a folder without the release||||$work|"$work" is not one
REFUSED

cp "$program_file" "$work/failing/"
file=$work/failing/$(basename "$program_file")
echo "not the password" >"$work/wrong-password.txt"
check "a signing that fails fails, says which file and why, and leaves no file" \
  "! TMPDIR='$work/tmp' sh '$source_dir/packaging/windows/sign.sh' '$cert.pfx' '$work/wrong-password.txt' \
     Kavrento none '$work/failing' >'$work/sign.log' 2>&1 && [ -z \"\$(find '$work/failing' '$work/tmp' -mindepth 1)\" ] &&
   grep -qx 'signing $file failed' '$work/sign.log' && grep -q 'PKCS#12' '$work/sign.log' ||
   { cat '$work/sign.log'; find '$work/failing' '$work/tmp' -mindepth 1; false; }"

echo "$failures failed"
[ "$failures" -eq 0 ]
