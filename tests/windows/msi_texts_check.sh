#!/bin/sh
# build_msi.sh reads back the texts that wixl cannot write, the shortcuts'
# Chinese names and the two Chinese refusals. With a stand-in msibuild that
# leaves out the one update writing each, the build fails, says which text
# is missing, and leaves no MSI.
#   msi_texts_check.sh WORK FOLDER PRODUCT.wxs ICON
set -eu
work=$1 folder=$2 wxs=$3 icon=$4
build_msi=$(dirname "$0")/../../packaging/windows/build_msi.sh
rm -rf "$work"
mkdir -p "$work/bin"
cat >"$work/bin/msibuild" <<'STANDIN'
#!/bin/sh
# msibuild, but the update that names $LEFT_OUT is not made.
case "$*" in *"$LEFT_OUT"*) exit 0 ;; esac
exec /usr/bin/msibuild "$@"
STANDIN
chmod +x "$work/bin/msibuild"

failures=0
while IFS='|' read -r left_out says; do
  if LEFT_OUT=$left_out PATH="$work/bin:$PATH" sh "$build_msi" "$folder" "$wxs" "$work/Tessarin.msi" 齿轮 较新 \
      "$icon" 较旧 "齿轮 说明" >"$work/out" 2>&1 </dev/null; then
    echo "FAILED: the MSI built without the update of $left_out"
    failures=$((failures + 1))
  elif ! grep -qx "$says did not reach the MSI" "$work/out" || [ -e "$work/Tessarin.msi" ]; then
    cat "$work/out"
    ls "$work"
    echo "FAILED: without the update of $left_out, no \"$says did not reach the MSI\", or an MSI left"
    failures=$((failures + 1))
  else
    echo "ok: without the update of $left_out: $says did not reach the MSI"
  fi
done <<'LEFT_OUT'
WHERE `Shortcut`='ProgramShortcut'|the shortcuts' names
WHERE `Shortcut`='GuideShortcut'|the shortcuts' names
WHERE `Condition`='NOT WIX_DOWNGRADE_DETECTED'|the message that refuses an older version
(old Windows: written by build_msi.sh)|the message that refuses an older Windows
LEFT_OUT

echo "$failures failed"
[ "$failures" -eq 0 ]
