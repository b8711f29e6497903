#!/bin/sh
# Gives the files built here the signatures of a release that was handed
# out, in place of signing them: how anyone without the certificate checks
# a signed release. The release's own signature, attached to the file built
# here, gives back the release's file byte for byte only if the two were
# built alike; osslsigncode's remove-signature cannot show it the other way
# round, as it leaves the signed file's padding and PE checksum behind.
# A folder's program files (.exe, .dll) take theirs from the files of the
# same names in the release's .zip, whose whole folder must then be the same
# as this one; an MSI takes the release MSI's. Every file that differs from
# the release is named, and the build stops.
#   attach_signatures.sh RELEASE.zip FOLDER
#   attach_signatures.sh RELEASE.msi MSI
set -eu
release=$1 target=$2
work=$target.release
rm -rf "$work"
mkdir -p "$work"
differs=$work/differs
: >"$differs"

# attach OURS THEIRS: OURS with THEIRS' signature, and the same as THEIRS.
attach() {
  rm -f "$work/signature" "$1.signed"
  if ! osslsigncode extract-signature -in "$2" -out "$work/signature" >"$work/log" 2>&1 </dev/null; then
    echo "not signed in the release: ${1#"$base"/}" >>"$differs"
    return 0
  fi
  # It checks the signature against the machine's roots, which need not
  # hold the release's: the comparison below is what counts.
  osslsigncode attach-signature -sigin "$work/signature" -in "$1" -out "$1.signed" >"$work/log" 2>&1 </dev/null || true
  if [ ! -f "$1.signed" ]; then
    cat "$work/log"
    echo "attaching the release's signature to $1 failed"
    rm -rf "$work"
    exit 1
  fi
  mv "$1.signed" "$1"
  cmp -s "$1" "$2" || echo "differs from the release: ${1#"$base"/}" >>"$differs"
}

base=$(dirname "$target")
if [ -d "$target" ]; then
  unzip -q "$release" -d "$work/unzipped"
  theirs=$work/unzipped/$(basename "$target")
  find "$target" -type f \( -name '*.exe' -o -name '*.dll' \) | LC_ALL=C sort >"$work/list"
  while IFS= read -r file; do
    if [ -f "$theirs/${file#"$target"/}" ]; then attach "$file" "$theirs/${file#"$target"/}"; fi
  done <"$work/list"
  # Every other file, and those one side lacks.
  name=$(basename "$target")
  diff -rq "$target" "$theirs" | while IFS= read -r line; do
    case $line in
      "Files $target/"*.exe" and "* | "Files $target/"*.dll" and "*) ;;
      "Files $target/"*) file=${line#"Files $target/"} && echo "differs from the release: $name/${file%% and *}" ;;
      "Only in $theirs"*) file=${line#"Only in $theirs"} && echo "only in the release: $name${file%%: *}/${file#*: }" ;;
      "Only in $target"*) file=${line#"Only in $target"} && echo "only in this build: $name${file%%: *}/${file#*: }" ;;
      *) echo "$line" ;;
    esac
  done >>"$differs"
else
  attach "$target" "$release"
fi

if [ -s "$differs" ]; then
  echo "This build is not the release $release:"
  sed 's/^/  /' "$differs"
  rm -rf "$work"
  exit 1
fi
rm -rf "$work"
