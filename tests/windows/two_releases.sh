#!/bin/sh
# Builds the Windows program six times from a scratch copy of the sources,
# as a release is made (scripts/windows.sh, with the certificate, its
# password file and the timestamp server in the environment, which the
# windows preset reads): the version as it stands, signed with a throwaway
# code-signing certificate made here and timestamped by a timestamp server of
# the test's own (WORK/timestamps); the same version test-signed, without a
# timestamp, over a folder that holds a file of an earlier layout; once more
# after the certificate is renewed in its place; without the certificate,
# given the first one's signatures; then, after only the revision in
# resources/app_identity.h is raised by one, unsigned; and once more after
# a text of the folder is changed. Each build's program folder, .zip, MSI,
# checksums, version and output are kept in WORK/old, WORK/test,
# WORK/renewed, WORK/rebuilt, WORK/new and WORK/edited.
#   two_releases.sh SOURCE WORK      (TESSARIN_QT_WINDOWS: Qt for Windows)
set -eu
source=$1 work=$2
# The copy has no history: dated as a release from a checkout is, so that
# its folders carry one time however often they are laid out and signed.
export SOURCE_DATE_EPOCH=1796688000
unset TESSARIN_SIGNATURES_FROM
rm -rf "$work"
mkdir -p "$work/src" "$work/certificate"
(cd "$source" && tar --exclude=./.git --exclude=./build -cf - .) | tar -C "$work/src" -xf -

# The certificate as a release manager keeps a real one: with its key in a
# PKCS#12 file whose password is in a file of its own.
# certificate NAME: a new one in certificate.pfx, to be trusted as NAME.pem.
cert=$work/certificate
echo "throwaway $$" >"$cert/password.txt"
certificate() {
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tessarin test signing $1" \
    -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
    -keyout "$cert/$1.key" -out "$cert/$1.pem" 2>"$cert/openssl.log"
  openssl pkcs12 -export -in "$cert/$1.pem" -inkey "$cert/$1.key" \
    -passout "file:$cert/password.txt" -out "$cert/certificate.pfx"
}
certificate first

header=$work/src/resources/app_identity.h
number() { sed -n "s/^#define APP_VERSION_$1 \([0-9]*\)\$/\1/p" "$header"; }

# scripts/windows.sh takes Qt from the cache, which must be the one the tests
# were configured with: a test never builds Qt.
prefix=$(cd "$work/src" && sh scripts/windows-qt.sh --prefix)
if [ "$prefix" != "$TESSARIN_QT_WINDOWS" ] || [ ! -f "$prefix/.complete" ]; then
  echo "the scratch copy's Qt for Windows is $prefix, not the complete $TESSARIN_QT_WINDOWS"
  exit 1
fi
# Configured once without the tests, which no release needs; every later
# configure keeps that.
if ! (cd "$work/src" && TESSARIN_SIGN_PFX='' TESSARIN_SIGN_PASSWORD_FILE='' TESSARIN_SIGN_TIMESTAMP_URL='' \
    cmake --preset windows -DBUILD_TESTING=OFF) >"$work/configure.log" 2>&1; then
  tail -n 40 "$work/configure.log"
  exit 1
fi

# release NAME VARIABLE=VALUE...: builds the folder, .zip and MSI with
# scripts/windows.sh, the variables in its environment, as a release manager
# has it: Qt for Windows found by the script.
release() {
  name=$1
  shift
  mkdir -p "$work/$name"
  if ! (cd "$work/src" && env -u TESSARIN_QT_WINDOWS "$@" sh scripts/windows.sh --no-install) >"$work/$name/build.log" 2>&1; then
    tail -n 60 "$work/$name/build.log"
    echo "the $name release did not build (whole output in $work/$name/build.log)"
    exit 1
  fi
  version=$(number MAJOR).$(number MINOR).$(number REVISION)
  echo "$version" >"$work/$name/version"
  built=$work/src/build/windows
  cp -R "$built/Tessarin" "$built/Tessarin-$version-x64.zip" "$built/Tessarin-$version-x64.msi" "$built/SHA256SUMS" \
    "$work/$name/"
  echo "$name release: $version, $(du -sk "$work/$name/Tessarin-$version-x64.msi" | cut -f1) KiB MSI"
}

here=$(dirname "$0")
sh "$here/timestamp_server.sh" start "$work/timestamps"
trap 'sh "$here/timestamp_server.sh" stop "$work/timestamps"' EXIT
release old TESSARIN_SIGN_PFX="$cert/certificate.pfx" TESSARIN_SIGN_PASSWORD_FILE="$cert/password.txt" \
  TESSARIN_SIGN_TIMESTAMP_URL="$(cat "$work/timestamps/url")"
# A file that an earlier layout of the folder held; and a temporary folder of
# its own, which the signing must leave as it found it.
echo "left over" >"$work/src/build/windows/Tessarin/left-over.txt"
mkdir -p "$work/tmp"
release test TESSARIN_SIGN_PFX="$cert/certificate.pfx" TESSARIN_SIGN_PASSWORD_FILE="$cert/password.txt" \
  TESSARIN_SIGN_TIMESTAMP_URL=none TMPDIR="$work/tmp"
# The certificate renewed in its place, nothing else changed: the files are
# signed again with it.
certificate renewed
release renewed TESSARIN_SIGN_PFX="$cert/certificate.pfx" TESSARIN_SIGN_PASSWORD_FILE="$cert/password.txt" \
  TESSARIN_SIGN_TIMESTAMP_URL=none
# Without the certificate, as anyone checks the signed release: built again
# with the old release's signatures, from its .zip and MSI.
release rebuilt TESSARIN_SIGN_PFX= TESSARIN_SIGN_PASSWORD_FILE= TESSARIN_SIGN_TIMESTAMP_URL= \
  TESSARIN_SIGNATURES_FROM="$work/old"
revision=$(number REVISION)
sed -i "s/^#define APP_VERSION_REVISION $revision\$/#define APP_VERSION_REVISION $((revision + 1))/" "$header"
release new TESSARIN_SIGN_PFX= TESSARIN_SIGN_PASSWORD_FILE= TESSARIN_SIGN_TIMESTAMP_URL=
# A file of the folder changed, nothing else: the version, the signing and
# so every command stay as they were, and the folder's files keep the
# commit's time.
echo "Edited after the build." >>"$work/src/packaging/windows/licenses-README.txt"
release edited TESSARIN_SIGN_PFX= TESSARIN_SIGN_PASSWORD_FILE= TESSARIN_SIGN_TIMESTAMP_URL=
