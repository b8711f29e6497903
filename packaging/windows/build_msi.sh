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

# Every file of the folder, one component each, under INSTALLDIR.
(cd "$(dirname "$folder")" && find "$(basename "$folder")" -type f | LC_ALL=C sort |
  wixl-heat -p "$(basename "$folder")/" --directory-ref INSTALLDIR --component-group ProgramFolder \
    --var var.ProgramFolder --win64) >"$work/folder.wxs"
# wixl takes file sources relative to where it runs.
cp "$icon" "$(dirname "$folder")/Tessarin-installer.ico"
(cd "$(dirname "$folder")" && wixl -a x64 -D ProgramFolder="$(basename "$folder")" -D Win64=yes \
  -D Icon=Tessarin-installer.ico -o "$msi" "$wxs" "$work/folder.wxs")
rm -f "$(dirname "$folder")/Tessarin-installer.ico"

# wixl leaves the database without a code page and drops every non-ASCII
# text; set the Simplified-Chinese code page first, then the shortcuts' names,
# the message that refuses to put an older version over a newer one, and the
# one that refuses a Windows too old for the program.
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$msi" -i "$work/_ForceCodepage.idt"
# msitools takes and gives texts in UTF-8 and stores them in the database's
# code page.
msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\`='TESSAR~1|$menu_name' WHERE \`Shortcut\`='ProgramShortcut'"
msibuild "$msi" -q "UPDATE \`Shortcut\` SET \`Name\`='TESSAR~2|$guide_name' WHERE \`Shortcut\`='GuideShortcut'"
msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\`='$downgrade_message' WHERE \`Condition\`='NOT WIX_DOWNGRADE_DETECTED'"
msibuild "$msi" -q "UPDATE \`LaunchCondition\` SET \`Description\`='$old_windows_message' WHERE \`Description\`='(old Windows: written by build_msi.sh)'"

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
