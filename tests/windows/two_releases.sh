#!/bin/sh
# Builds the Windows program twice from a scratch copy of the sources, as a
# release is made: the version as it stands, signed with a throwaway
# code-signing certificate made here and timestamped by a timestamp server of
# the test's own (WORK/timestamps), then, after only the revision in
# resources/app_identity.h is raised by one, unsigned. Each build's program
# folder, .zip, MSI, checksums, version and output are kept in WORK/old and
# WORK/new.
#   two_releases.sh SOURCE WORK      (TESSARIN_QT_WINDOWS: Qt for Windows)
set -eu
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work/src" "$work/certificate"
(cd "$source" && tar --exclude=./.git --exclude=./build -cf - .) | tar -C "$work/src" -xf -

# The certificate as a release manager keeps a real one: with its key in a
# PKCS#12 file whose password is in a file of its own.
cert=$work/certificate
echo "throwaway $$" >"$cert/password.txt"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Tessarin test signing" \
  -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
  -keyout "$cert/key.pem" -out "$cert/certificate.pem" 2>"$cert/openssl.log"
openssl pkcs12 -export -in "$cert/certificate.pem" -inkey "$cert/key.pem" \
  -passout "file:$cert/password.txt" -out "$cert/certificate.pfx"

header=$work/src/resources/app_identity.h
number() { sed -n "s/^#define APP_VERSION_$1 \([0-9]*\)\$/\1/p" "$header"; }

# release NAME CMAKE_OPTIONS...: configures and builds the folder, .zip and MSI.
release() {
  name=$1
  shift
  mkdir -p "$work/$name"
  if ! (cd "$work/src" && cmake --preset windows -DBUILD_TESTING=OFF -DTESSARIN_BUILD_BENCH=OFF "$@" &&
      cmake --build --preset windows --target windows_packages) >"$work/$name/build.log" 2>&1; then
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
release old -DTESSARIN_SIGN_PFX="$cert/certificate.pfx" -DTESSARIN_SIGN_PASSWORD_FILE="$cert/password.txt" \
  -DTESSARIN_SIGN_TIMESTAMP_URL="$(cat "$work/timestamps/url")"
revision=$(number REVISION)
sed -i "s/^#define APP_VERSION_REVISION $revision\$/#define APP_VERSION_REVISION $((revision + 1))/" "$header"
release new -DTESSARIN_SIGN_PFX= -DTESSARIN_SIGN_PASSWORD_FILE= -DTESSARIN_SIGN_TIMESTAMP_URL=
