#!/bin/sh
# Builds the MSI from the program folder and the configured WiX source.
#   build_msi.sh FOLDER PRODUCT.wxs OUT.msi MENU_NAME DOWNGRADE_MESSAGE ICON OLD_WINDOWS_MESSAGE GUIDE_NAME
set -eu
folder=$1
wxs=$2
msi=$3
menu_name=$4
downgrade_message=$5
icon=$6
old_windows_message=$7
guide_name=$8
work="$msi.work"
rm -rf "$work" "$msi"
mkdir -p "$work"

# The same folder makes the same MSI. wixl and msitools date the database
# by the clock: with SOURCE_DATE_EPOCH they are run at that time, the clock
# stopped (faketime).
at_epoch() { "$@"; }
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  at_epoch() { TZ=UTC faketime -f "$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" "$@"; }
fi

# Every file of the folder, one component each, under INSTALLDIR. wixl-heat
# names each folder at random: they are numbered in order instead.
(cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f | LC_ALL=C sort |
  wixl-heat -p "$(basename "$folder")/" --directory-ref INSTALLDIR --component-group ProgramFolder \
    --var var.ProgramFolder --win64) |
  awk '{ while (match($0, /"dir[0-9A-F]+"/)) { id = substr($0, RSTART, RLENGTH); if (!(id in n)) n[id] = ++count
           $0 = substr($0, 1, RSTART - 1) "\"folder" n[id] "\"" substr($0, RSTART + RLENGTH) } print }' >"$work/folder.wxs"
# The package code names this package and no other: derived from all that
# goes into it, so that a changed package gets a new one.
package_code=$( {
  cat "$wxs" "$work/folder.wxs" "$icon"
  printf '%s\n' "$menu_name" "$downgrade_message" "$old_windows_message" "$guide_name"
  (cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f | LC_ALL=C sort | xargs -d '\n' sha256sum)
} | sha256sum | sed 's/^\(.\{8\}\)\(.\{4\}\)\(.\{4\}\)\(.\{4\}\)\(.\{12\}\).*/\1-\2-\3-\4-\5/' | tr a-f A-F)
# wixl takes file sources relative to where it runs.
cp "$icon" "$(dirname "$folder")/Tessarin-installer.ico"
(cd "$(dirname "$folder")" && at_epoch wixl -a x64 -D ProgramFolder="$(basename "$folder")" -D Win64=yes \
  -D Icon=Tessarin-installer.ico -o "$msi" "$wxs" "$work/folder.wxs")
rm -f "$(dirname "$folder")/Tessarin-installer.ico"

# wixl leaves the database without a code page and drops every non-ASCII
# text; set the Simplified-Chinese code page first, then the shortcuts' names,
# the message that refuses to put an older version over a newer one, and the
# one that refuses a Windows too old for the program.
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
at_epoch msibuild "$msi" -i "$work/_ForceCodepage.idt"
# msitools takes and gives texts in UTF-8 and stores them in the database's
# code page.
at_epoch msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\`='TESSAR~1|$menu_name' WHERE \`Shortcut\`='ProgramShortcut'"
at_epoch msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\`='TESSAR~2|$guide_name' WHERE \`Shortcut\`='GuideShortcut'"
at_epoch msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\`='$downgrade_message' WHERE \`Condition\`='NOT WIX_DOWNGRADE_DETECTED'"
at_epoch msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\`='$old_windows_message' WHERE \`Description\`='(old Windows: written by build_msi.sh)'"
# wixl draws the package code at random; the summary's other fields stay.
summary() { msiinfo suminfo "$msi" | sed -n "s/^$1: //p"; }
at_epoch msibuild "$msi" -s "$(summary Subject)" "$(summary Author)" "$(summary Template)" "{$package_code}"

# Read back, never trusted from the source. An MSI without them is removed,
# so that it cannot pass for a finished one.
failed() {
  echo "$1 did not reach the MSI"
  rm -rf "$work" "$msi"
  exit 1
}
msiinfo export "$msi" Shortcut >"$work/Shortcut.idt"
msiinfo export "$msi" LaunchCondition >"$work/LaunchCondition.idt"
grep -q "TESSAR~1|$menu_name	" "$work/Shortcut.idt" && grep -q "TESSAR~2|$guide_name	" "$work/Shortcut.idt" ||
  failed "the shortcuts' names"
grep -qF "NOT WIX_DOWNGRADE_DETECTED	$downgrade_message" "$work/LaunchCondition.idt" ||
  failed "the message that refuses an older version"
grep -qF "	$old_windows_message" "$work/LaunchCondition.idt" || failed "the message that refuses an older Windows"
rm -rf "$work"
