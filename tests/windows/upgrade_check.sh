#!/bin/sh
# A new version replaces the old, under Wine, with the two releases of
# two_releases.sh: the old (signed) installs, the new one installs over it
# and leaves one Add/Remove Programs entry and only its own files, the old
# one is then refused with the installer's Chinese message, and uninstalling
# leaves nothing.
#   upgrade_check.sh SCRATCH WORK message_box_reader.exe PRODUCT MAKER MENU_NAME
set -eu
scratch=$1 work=$2 reader=$3 product=$4 maker=$5 menu_name=$6
here=$(dirname "$0")
. "$here/wine_env.sh"
wine=/usr/lib/wine/wine64
failures=0
check() {
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

old=$work/old new=$work/new
old_version=$(cat "$old/version") new_version=$(cat "$new/version")
log=$work/upgrade
mkdir -p "$log"
program_files="$WINEPREFIX/drive_c/Program Files/Tessarin"
windows_path() { echo "Z:$1" | tr / '\\'; }
# run_msi NAME [--may-fail] ARGUMENTS...: runs msiexec, its exit code in $log/NAME.
run_msi() {
  name=$1
  shift
  status=0
  sh "$here/msiexec.sh" "$scratch" "$log/$name.log" "$@" || status=$?
  echo "$status" >"$log/$name"
}
# entries [VERSION]: the program has exactly one Add/Remove Programs entry,
# at VERSION; without a version, none.
entries() {
  "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>&1 | tr -d '\r' >"$log/entries.txt" || true
  count=$(grep -c "DisplayName.*REG_SZ *$product\$" "$log/entries.txt" || true)
  if [ $# -eq 0 ]; then
    [ "$count" -eq 0 ]
  else
    [ "$count" -eq 1 ] && grep -q "DisplayVersion.*REG_SZ *$1\$" "$log/entries.txt"
  fi
}

check "the two releases differ in Tessarin.exe" "! cmp -s '$old/Tessarin/Tessarin.exe' '$new/Tessarin/Tessarin.exe'"
run_msi install-old /i "$(windows_path "$old/Tessarin-$old_version-x64.msi")" /qn
check "$old_version, signed, installs" "[ \"\$(cat '$log/install-old')\" -eq 0 ] && entries $old_version && diff -r '$old/Tessarin' '$program_files'"

run_msi install-new /i "$(windows_path "$new/Tessarin-$new_version-x64.msi")" /qn
check "$new_version installs over it" "[ \"\$(cat '$log/install-new')\" -eq 0 ]"
check "one Add/Remove Programs entry, at $new_version" "entries $new_version"
check "the installed files are $new_version's, and only they" "diff -r '$new/Tessarin' '$program_files'"

# With the basic interface, as when a user double-clicks the older MSI.
rm -f "$log/message.txt"
"$wine" "$reader" "$(windows_path "$log/message.txt")" &
reader_pid=$!
run_msi downgrade --may-fail /i "$(windows_path "$old/Tessarin-$old_version-x64.msi")" /qb
wait "$reader_pid" || true
check "$old_version over $new_version is refused" "[ \"\$(cat '$log/downgrade')\" -ne 0 ] && entries $new_version && diff -r '$new/Tessarin' '$program_files'"
check "with a message in Chinese" "grep -qF '已安装较新版本的 $product。' '$log/message.txt'"

run_msi uninstall /x "$(windows_path "$new/Tessarin-$new_version-x64.msi")" /qn
check "uninstalled: no program folder" "[ ! -e '$program_files' ]"
check "uninstalled: no Add/Remove Programs entry" "entries"
check "uninstalled: no registry key of its own" "! \"$wine\" reg query 'HKLM\\Software\\$maker' >/dev/null 2>&1"
check "uninstalled: no shortcut" \
  "[ -z \"\$(find '$WINEPREFIX/drive_c' -path '*Start Menu/Programs*' -name '$menu_name.lnk' 2>/dev/null)\" ]"

echo "$failures failed"
[ "$failures" -eq 0 ]
