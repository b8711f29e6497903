#!/bin/sh
# The portable .zip holds exactly the program folder, licences and notice
# included.
#   zip_check.sh Tessarin-<version>-x64.zip FOLDER SCRATCH
set -eu
zip=$1 folder=$2 scratch=$3
mkdir -p "$scratch"
unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort >"$scratch/zip.txt"
(cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f | LC_ALL=C sort) >"$scratch/folder.txt"
diff "$scratch/folder.txt" "$scratch/zip.txt"
for file in Tessarin/Tessarin.exe Tessarin/NOTICE.txt Tessarin/licenses/qt/LGPL-3.0-only.txt Tessarin/platforms/qwindows.dll; do
  grep -qx "$file" "$scratch/zip.txt" || { echo "the .zip lacks $file"; exit 1; }
done
echo "the .zip holds the program folder's $(wc -l <"$scratch/zip.txt") files"
