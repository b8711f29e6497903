#!/bin/sh
# Reads the icon and the version record out of the built program file, not
# out of its resource script, and checks them:
#   - the icon is resources/Tessarin.ico, its six images in their order;
#   - the version record, read back by the resource compiler, is exactly
#     the expected one (tests/packaging/version_record.cmake).
#   exe_resources.sh PROGRAM.exe ICO SCRATCH VERSION
set -eu
program=$1
ico=$2
scratch=$3
version=$4
here=$(dirname "$0")
rm -rf "$scratch"
mkdir -p "$scratch"

wrestool -x --type=14 "$program" -o "$scratch/icon.ico"
size=$(stat -c %s "$ico")
# wrestool rebuilds the .ico from the group and its images, then pads it.
if ! cmp -n "$size" "$scratch/icon.ico" "$ico"; then
  echo "the program's icon is not $ico"
  exit 1
fi
echo "icon: the six images of $ico, byte for byte"

# The raw version resource, wrapped as a compiled resource file (.res) so
# that the resource compiler can write it out as text again.
wrestool -x --type=16 --raw "$program" -o "$scratch/version.bin"
le32() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $(($1 >> 8 & 255)))\\$(printf %03o $(($1 >> 16 & 255)))\\$(printf %03o $(($1 >> 24 & 255)))"; }
data=$(stat -c %s "$scratch/version.bin")
{
  # The empty entry that opens every .res file.
  le32 0; le32 32; printf '\377\377\000\000\377\377\000\000'; le32 0; le32 0; le32 0; le32 0
  # RT_VERSION (16), name 1, no memory flags, Chinese (PRC) 0x0804.
  le32 "$data"; le32 32; printf '\377\377\020\000\377\377\001\000'; le32 0; printf '\000\000\004\010'; le32 0; le32 0
  cat "$scratch/version.bin"
} >"$scratch/version.res"
cmake -DWINDRES=x86_64-w64-mingw32-windres -DRES="$scratch/version.res" -DVERSION="$version" -DSCRATCH="$scratch" \
  -P "$here/../packaging/version_record.cmake"
