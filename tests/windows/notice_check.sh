#!/bin/sh
# The notice beside the program tells the truth about the Qt it ships with,
# checked against facts the notice is not made from: the Qt version and the
# compiler read out of Qt6Core.dll, the Debian version of the qt6-base source
# that scripts/windows-qt.sh builds (that of this machine's Qt tools), and
# the patches it applies for that version, which must ship beside the notice.
#   notice_check.sh FOLDER SOURCE_DIR
set -eu
folder=$1
source_dir=$2
notice="$folder/NOTICE.txt"
failures=0
says() {
  if grep -qF -- "$2" "$notice"; then echo "ok: $1"; else echo "FAILED: $1: no \"$2\" in $notice"; failures=$((failures + 1)); fi
}

qt=$(strings -el "$folder/Qt6Core.dll" | sed -n '/^ProductVersion$/{n;s/\.0$//p;q}')
gcc=$(strings "$folder/Qt6Core.dll" | sed -n 's/^GCC: (GNU) \([0-9]*\)-posix$/\1/p' | head -n 1)
debian=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
[ -n "$qt" ] && [ -n "$gcc" ] || { echo "FAILED: no version or compiler read from Qt6Core.dll"; exit 1; }
echo "Qt6Core.dll: Qt $qt, GCC $gcc; qt6-base source $debian"

says "the Qt version" "- Qt $qt ("
says "the Debian source version" "version $debian,"
says "the source's address" "https://sources.debian.org/src/qt6-base/$debian/"
says "the compiler" "by GCC $gcc."
says "what may replace Qt" "Qt ${qt%.*}, or a"
says "the compiler a replacement is made with" "GCC $gcc)"

# The changes to Qt's source: each patch shipped and named, or none.
patches=$(cd "$source_dir/scripts/qt-windows-patches" && ls "$qt"-*.patch 2>/dev/null || true)
shipped=$(cd "$folder/licenses/qt/build" && ls ./*.patch 2>/dev/null | sed 's|^\./||' || true)
if [ "$patches" != "$shipped" ]; then
  echo "FAILED: the patches for Qt $qt are \"$patches\", the folder ships \"$shipped\""
  failures=$((failures + 1))
fi
if [ -z "$patches" ]; then
  says "no changes to Qt" "version $debian, without changes."
fi
for patch in $patches; do
  says "the change $patch" "$patch"
  cmp -s "$source_dir/scripts/qt-windows-patches/$patch" "$folder/licenses/qt/build/$patch" ||
    { echo "FAILED: the shipped $patch differs"; failures=$((failures + 1)); }
done
for fact in options.txt toolchain.cmake; do
  [ -s "$folder/licenses/qt/build/$fact" ] || { echo "FAILED: no licenses/qt/build/$fact"; failures=$((failures + 1)); }
done

echo "$failures failed"
[ "$failures" -eq 0 ]
