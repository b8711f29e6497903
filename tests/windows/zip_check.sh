#!/bin/sh
# The portable .zip holds exactly the program folder, licences and notice
# included, and the program starts from it unpacked where a Chinese user
# keeps it: on the desktop, in a folder with a Chinese name and a blank.
#   zip_check.sh Tessarin-<version>-x64.zip FOLDER WORK SCRATCH
set -eu
zip=$1 folder=$2 work=$3 scratch=$4
mkdir -p "$work"
unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort >"$work/zip.txt"
(cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f | LC_ALL=C sort) >"$work/folder.txt"
diff "$work/folder.txt" "$work/zip.txt"
for file in Tessarin/Tessarin.exe Tessarin/NOTICE.txt Tessarin/licenses/README.txt Tessarin/licenses/qt/LGPL-3.0-only.txt \
    Tessarin/platforms/qwindows.dll Tessarin/licenses/mingw-w64/gcc-runtime.txt Tessarin/licenses/mingw-w64/mingw-w64.txt \
    Tessarin/doc/guide-zh_CN.html Tessarin/doc/guide-en.html Tessarin/doc/main-window.png Tessarin/doc/about-window.png; do
  grep -qx "$file" "$work/zip.txt" || { echo "the .zip lacks $file"; exit 1; }
done
echo "the .zip holds the program folder's $(wc -l <"$work/zip.txt") files"

# Only what the .zip holds: nothing found where it was built.
unset TESSARIN_QT_WINDOWS
. "$(dirname "$0")/wine_env.sh"
profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -n 1)
unpacked="$profile/桌面/齿轮 工具"
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
echo "unpacked into C:$(echo "${unpacked#"$WINEPREFIX/drive_c"}" | tr / '\\')"
sh "$(dirname "$0")/startup_check.sh" "$scratch" "$unpacked/Tessarin/Tessarin.exe"
