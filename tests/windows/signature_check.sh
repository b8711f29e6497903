#!/bin/sh
# The releases of two_releases.sh, checked where a user meets them.
# Every program file (every PE file) of the folder and of the .zip is
# stripped, and it and the MSI are signed as the release asked: with SHA-256,
# described as the product and timestamped by the test's server (old);
# without a timestamp, as its build warned (test), and again so with the
# certificate renewed in its place (renewed); with the first one's own
# signatures, rebuilt without the certificate (rebuilt); not at all, as its
# build said once (new). Signing adds no file to the folder, and a new layout
# keeps none of an earlier one; a text of the folder changed reaches the .zip
# and the MSI (edited). The checksums check out in a folder that holds the
# three release files alone, and the build's last line names them.
#   signature_check.sh WORK PRODUCT      (TESSARIN_QT_WINDOWS: Qt for Windows)
set -eu
work=$1 product=$2
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
# verify FILE: trusting the certificate $trusted and the test's timestamps.
verify() {
  osslsigncode verify -in "$1" -CAfile "$work/certificate/$trusted.pem" \
    -TSA-CAfile "$work/timestamps/tsa.pem" >"$work/verify.out" 2>&1 </dev/null
}
# signed FILE timestamped|none: signed as Windows demands it today, a valid
# signature with a SHA-256 digest, described as the product, the name
# Windows shows when it asks whether to run or install it; timestamped by
# the test's own server, the stamp verified (osslsigncode succeeds without
# that), or without a timestamp.
signed() {
  verify "$1" && grep -q '^Message digest algorithm: SHA256$' "$work/verify.out" &&
    grep -q "Text description: $product\$" "$work/verify.out" &&
    if [ "$2" = none ]; then ! grep -q 'Timestamp time:' "$work/verify.out"; else
      grep -q 'Issuer: /CN=Tessarin test timestamps' "$work/verify.out" &&
        grep -q '^Timestamp Server Signature verification: ok$' "$work/verify.out"
    fi ||
    { echo "  not signed as it should be ($2): $1" && sed 's/^/    /' "$work/verify.out" | tail -n 12 && return 1; }
}
# program_files FOLDER timestamped|none|unsigned: every PE file in FOLDER,
# the program among them, stripped and signed as asked.
program_files() {
  find "$1" -type f | LC_ALL=C sort | while IFS= read -r file; do
    [ "$(head -c 2 "$file")" != MZ ] || echo "$file"
  done >"$work/program-files"
  grep -qx "$1/Tessarin.exe" "$work/program-files" || { echo "  no Tessarin.exe in $1" && return 1; }
  while IFS= read -r file; do
    # Stripped: no symbols but the imports, which --strip-unneeded keeps.
    if x86_64-w64-mingw32-nm "$file" 2>&1 | grep -v '^[0-9a-f]* I \|: no symbols$' | grep -q .; then
      echo "  with symbols: $file" && return 1
    fi
    if [ "$2" = unsigned ]; then
      ! verify "$file" || { echo "  signed: $file" && return 1; }
    else
      signed "$file" "$2" || return 1
    fi
  done <"$work/program-files"
}
# As a user checks a download: the three release files alone in a folder,
# every file there checked, and by the name it has there.
checksums() {
  download=$work/download-$1
  rm -rf "$download"
  mkdir -p "$download"
  cp "$work/$1"/Tessarin-*-x64.zip "$work/$1"/Tessarin-*-x64.msi "$work/$1/SHA256SUMS" "$download/"
  (cd "$download" && ls) | LC_ALL=C sort >"$download.list"
  (cd "$download" && sha256sum --check --strict SHA256SUMS) >"$download.out" 2>&1 || { cat "$download.out" && return 1; }
  grep -vx SHA256SUMS "$download.list" | sed 's/$/: OK/' >"$download.want"
  LC_ALL=C sort "$download.out" | diff "$download.want" -
}

for release in old:timestamped:first test:none:first renewed:none:renewed rebuilt:timestamped:first new:unsigned:first; do
  name=${release%%:*} signature=${release#*:} trusted=${release##*:}
  signature=${signature%:*}
  rm -rf "$work/unzipped-$name"
  unzip -q "$work/$name"/Tessarin-*-x64.zip -d "$work/unzipped-$name"
  check "$name release, $signature: every program file of the folder" "program_files '$work/$name/Tessarin' $signature"
  check "$name release, $signature: every program file in the .zip" "program_files '$work/unzipped-$name/Tessarin' $signature"
  if [ "$signature" = unsigned ]; then
    check "$name release, $signature: the MSI" "! verify $work/$name/Tessarin-*-x64.msi"
  else
    check "$name release, $signature: the MSI" "signed $work/$name/Tessarin-*-x64.msi $signature"
  fi
  check "$name release: sha256sum -c SHA256SUMS beside the .zip and the MSI alone" "checksums $name"
  check "$name release: the build's last line names those three files" \
    "tail -n 1 '$work/$name/build.log' | sed 's|^Windows program in build/windows: Tessarin/, ||' | tr ' ' '\\n' |
       sed '/^\$/d' | LC_ALL=C sort | diff - '$work/download-$name.list'"
done

check "the build with a certificate says it signs, with a timestamp" \
  "grep -q 'Windows program: signed with .*, timestamped by http://127.0.0.1' '$work/old/build.log'"
check "the build with a test signature warns that it has no timestamp" \
  "grep -q 'Windows program: signed with .*, WITHOUT A TIMESTAMP: a test signature, not for handing out' '$work/test/build.log'"
check "the build given a release's signatures says whose" \
  "grep -qF 'Windows program: with the signatures of the release in $work/old' '$work/rebuilt/build.log'"
check "the build without one says once that it is unsigned" "[ \"\$(grep -c unsigned '$work/new/build.log')\" -eq 1 ]"
check "the signing left nothing in the temporary folder" "[ -z \"\$(ls -A '$work/tmp')\" ] || { ls -A '$work/tmp'; false; }"
# Signed, test-signed over a file of an earlier layout, signed again, given
# the first one's signatures, and unsigned.
same_files() {
  (cd "$work/old/Tessarin" && find . -type f | LC_ALL=C sort) >"$work/old.files"
  for name in test renewed rebuilt new; do
    (cd "$work/$name/Tessarin" && find . -type f | LC_ALL=C sort) | diff "$work/old.files" - || return 1
  done
}
check "the five folders hold the same files: signing adds none, a layout keeps none of an earlier one" same_files

old_version=$(cat "$work/old/version")
# Rebuilt without the certificate, given the old release's signatures: the
# old release's bytes, as docs/releasing.md has anyone check them; where
# they are not, the first file that differs is compared in a form a person
# reads: the MSIs table by table and stream by stream (msidiff), the others
# by diffoscope.
same_release() {
  for file in "Tessarin-$old_version-x64.zip" "Tessarin-$old_version-x64.msi" SHA256SUMS; do
    cmp -s "$work/old/$file" "$work/rebuilt/$file" && continue
    case $file in
      *.msi) msidiff "$work/old/$file" "$work/rebuilt/$file" ;;
      *) diffoscope --text - "$work/old/$file" "$work/rebuilt/$file" ;;
    esac 2>&1 | head -n 60
    return 1
  done
  diff -r "$work/old/Tessarin" "$work/rebuilt/Tessarin"
}
check "rebuilt with the old release's signatures: the old release, byte for byte" same_release
# A text of the folder changed, nothing else: the .zip and the MSI follow it.
followed() {
  for kind in zip msi; do
    ! cmp -s "$work/new"/Tessarin-*-x64.$kind "$work/edited"/Tessarin-*-x64.$kind ||
      { echo "  the $kind of the edited folder is the one built before the edit" && return 1; }
  done
}
check "a text of the folder changed, nothing else: the .zip and the MSI follow it" followed
# Built from other sources (the next revision, a file more, one less, a
# program file broken), or given an unsigned release's files: each file that
# is not the release's is named, and the build stops.
attach=$work/src/packaging/windows/attach_signatures.sh
# refused RELEASE_FILE OURS CHANGE LINE...: OURS, in a copy of the next
# revision changed by CHANGE, refused with RELEASE_FILE's signatures, saying
# each LINE.
refused() {
  release_file=$1 ours=$2 change=$3
  shift 3
  rm -rf "$work/other" && mkdir -p "$work/other" && cp -R "$work/new/Tessarin" "$work/new"/*.msi "$work/other/" &&
    (cd "$work/other" && eval "$change") &&
    ! sh "$attach" "$release_file" "$work/other/$ours" >"$work/other.out" 2>&1 &&
    for line in "$@"; do grep -qxF "$line" "$work/other.out" || { cat "$work/other.out" && return 1; }; done
}
new_version=$(cat "$work/new/version")
old_zip=$(echo "$work/old"/Tessarin-*-x64.zip)
check "another build is not the old release: each file that differs or that one side lacks is named" \
  "refused $old_zip Tessarin 'rm Tessarin/platforms/qwindows.dll && echo more >Tessarin/more.txt' \
     '  differs from the release: Tessarin/Tessarin.exe' '  differs from the release: Tessarin/NOTICE.txt' \
     '  only in this build: Tessarin/more.txt' '  only in the release: Tessarin/platforms/qwindows.dll'"
check "another build is not the old release: its installer differs" \
  "refused $work/old/Tessarin-*-x64.msi Tessarin-$new_version-x64.msi : \
     '  differs from the release: Tessarin-$new_version-x64.msi'"
check "an unsigned release has no signatures to give" \
  "refused $work/new/Tessarin-*-x64.zip Tessarin : '  not signed in the release: Tessarin/Qt6Core.dll'"
check "a program file that takes no signature stops the build, named" \
  "refused $old_zip Tessarin 'echo broken >Tessarin/Qt6Gui.dll' \
     \"attaching the release's signature to $work/other/Tessarin/Qt6Gui.dll failed\""

echo "$failures failed"
[ "$failures" -eq 0 ]
