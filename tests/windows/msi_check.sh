#!/bin/sh
# The installer under Wine, as an administrator runs it on a workshop PC:
# it refuses a Windows that Qt 6 does not run on, it installs per machine,
# the program starts from where it was installed, and uninstalling leaves
# nothing behind.
#   msi_check.sh SCRATCH Tessarin-<version>-x64.msi VERSION MAKER PRODUCT MENU_NAME message_box_reader.exe
set -eu
scratch=$1 msi=$2 version=$3 maker=$4 product=$5 menu_name=$6 reader=$7
# Written out here, not taken from the build: every installed copy knows the
# program by this code, and a new version with another one would be
# installed beside it instead of replacing it.
upgrade=6CE94E7B-F9F9-4672-8C74-0063C7195BD7
here=$(dirname "$0")
# The installed program must find everything beside it, not where it was built.
unset TESSARIN_QT_WINDOWS
. "$here/wine_env.sh"
wine=/usr/lib/wine/wine64
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# What the database says, read back from the file.
work="$scratch/msi-check"
rm -rf "$work"
mkdir -p "$work"
msiinfo export "$msi" Property >"$work/Property.idt"
msiinfo export "$msi" Shortcut >"$work/Shortcut.idt"
check "product name, maker and version" \
  "grep -q \"^ProductName	$product\" '$work/Property.idt' && grep -q \"^Manufacturer	$maker\" '$work/Property.idt' && grep -q \"^ProductVersion	$version\" '$work/Property.idt'"
check "the fixed upgrade code" "grep -qi \"^UpgradeCode	{$upgrade}\" '$work/Property.idt'"
check "the icon of Add/Remove Programs" "grep -q '^ARPPRODUCTICON	' '$work/Property.idt'"
guide_name="$menu_name 使用说明"
check "the Start-menu shortcuts' names" \
  "grep -q \"|$menu_name	\" '$work/Shortcut.idt' && grep -q \"|$guide_name	\" '$work/Shortcut.idt'"

program_files="$WINEPREFIX/drive_c/Program Files/Tessarin"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
shortcuts() {
  find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs*' -name "${1:-$menu_name}.lnk" 2>/dev/null
}
# Where the guide's shortcut leads, as a path under the program folder.
guide_target=$(awk -F'\t' '$1 == "GuideShortcut" { sub(/^\[INSTALLDIR\]/, "", $5); gsub(/\\/, "/", $5); print $5 }' \
  "$work/Shortcut.idt")

windows_msi="Z:$(echo "$msi" | tr / '\\')"
# Windows as old as Qt 6 allows, version 1809 (build 17763), and one build
# older, which the installer refuses with the basic interface a user gets by
# double-clicking. The prefix's own build is put back at the end.
build_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
windows_build() { "$wine" reg add "$build_key" /v CurrentBuildNumber /d "$1" /f >/dev/null 2>&1 && /usr/lib/wine/wineserver64 -w; }
own_build=$("$wine" reg query "$build_key" /v CurrentBuildNumber | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
trap 'windows_build "$own_build"' EXIT
windows_build 17762
"$wine" "$reader" "Z:$(echo "$work/message.txt" | tr / '\\')" &
reader_pid=$!
status=0
sh "$here/msiexec.sh" "$scratch" "$work/old-windows.log" --may-fail /i "$windows_msi" /qb || status=$?
wait "$reader_pid" || true
check "refused on Windows build 17762, nothing installed" "[ $status -ne 0 ] && [ ! -e '$program_files' ]"
check "with a message in Chinese" "grep -qF '$product 需要 Windows 10 版本 1809 或更高版本' '$work/message.txt'"
windows_build 17763

sh "$here/msiexec.sh" "$scratch" "$work/install.log" /i "$windows_msi" /qn
for file in Tessarin.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll NOTICE.txt licenses/README.txt licenses/qt/LGPL-3.0-only.txt \
    licenses/mingw-w64/gcc-runtime.txt licenses/mingw-w64/mingw-w64.txt doc/guide-zh_CN.html doc/guide-en.html \
    doc/main-window.png doc/about-window.png; do
  check "installed: Program Files\\Tessarin\\$file" "[ -f '$program_files/$file' ]"
done
check "installed: Program Files\\Tessarin\\styles, the Windows style" "ls '$program_files'/styles/q*windows*style.dll >/dev/null 2>&1"
check "the Start-menu shortcut" "[ -n \"\$(shortcuts)\" ]"
check "the guide's Start-menu shortcut, to the Chinese guide" \
  "[ -n \"\$(shortcuts '$guide_name')\" ] && [ '$guide_target' = doc/guide-zh_CN.html ] && [ -f '$program_files/$guide_target' ]"
"$wine" reg query "$uninstall_key" /s >"$work/uninstall.txt" 2>&1 || true
check "the uninstall entry" "grep -q 'DisplayName.*$product' '$work/uninstall.txt' && grep -q 'Publisher.*$maker' '$work/uninstall.txt' && grep -q 'DisplayVersion.*$version' '$work/uninstall.txt'"
check "the uninstall entry offers neither Modify nor Repair" \
  "grep -q 'NoModify.*0x1' '$work/uninstall.txt' && grep -q 'NoRepair.*0x1' '$work/uninstall.txt'"

check "the program starts from its Start-menu shortcut and ends by Esc" \
  "sh '$here/startup_check.sh' '$scratch' \"\$(shortcuts)\" >'$work/startup.log' 2>&1 ||
    { cat '$work/startup.log' '$scratch/startup.log'; false; }"

sh "$here/msiexec.sh" "$scratch" "$work/uninstall.log" /x "$windows_msi" /qn
check "uninstalled: no program folder" "[ ! -e '$program_files' ]"
check "uninstalled: no shortcut" "[ -z \"\$(shortcuts)\" ] && [ -z \"\$(shortcuts '$guide_name')\" ]"
"$wine" reg query "$uninstall_key" /s >"$work/uninstall-after.txt" 2>&1 || true
check "uninstalled: no uninstall entry" "! grep -q 'DisplayName.*$product' '$work/uninstall-after.txt'"
check "uninstalled: no registry key of its own" "! \"$wine\" reg query 'HKLM\\Software\\$maker' >/dev/null 2>&1"

echo "$failures failed"
[ "$failures" -eq 0 ]
