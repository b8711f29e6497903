#!/bin/sh
# The notice beside the program tells the truth about the Qt it ships with,
# each fact whole, checked against facts the notice is not made from: the Qt
# version and the compiler read out of Qt6Core.dll, the Debian version of the
# qt6-base source that scripts/windows-qt.sh builds (that of this machine's
# Qt tools), the version of the compiler package, and the patches it applies
# for that version, named as they ship beside the notice. Every file the
# notice points to is in the folder. Configured with a Qt whose build notes
# hold a patch more, the notice names each patch as it ships; with a Qt
# without those notes or the Windows style, the sources refuse to configure.
#   notice_check.sh FOLDER SOURCE_DIR QT WORK
set -eu
folder=$1
source_dir=$2
qt_prefix=$3
work=$4
notice="$folder/NOTICE.txt"
failures=0
says() {
  # printf, not echo: the notice's paths hold backslashes.
  if grep -qF -- "$2" "$notice"; then printf 'ok: %s\n' "$1"; else
    printf 'FAILED: %s: no "%s" in %s\n' "$1" "$2" "$notice"
    failures=$((failures + 1))
  fi
}

qt=$(strings -el "$folder/Qt6Core.dll" | sed -n '/^ProductVersion$/{n;s/\.0$//p;q}')
gcc=$(strings "$folder/Qt6Core.dll" | sed -n 's/^GCC: (GNU) \([0-9]*\)-posix$/\1/p' | head -n 1)
debian=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
# Debian's mingw-w64 GCC calls itself "12-posix" (-dumpfullversion, and
# 12.0.0 in its macros); its package's upstream version is GCC's own.
compiler_debian=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
compiler=${compiler_debian%%-*}
[ -n "$qt" ] && [ -n "$gcc" ] || { echo "FAILED: no version or compiler read from Qt6Core.dll"; exit 1; }
echo "Qt6Core.dll: Qt $qt, GCC $gcc; qt6-base source $debian"

says "the Qt version" "- Qt $qt ("
says "the Debian source version" "version $debian,"
says "the source's address" "https://sources.debian.org/src/qt6-base/$debian/"
says "the compiler" "by GCC $compiler for mingw-w64"
case $compiler in "$gcc".*) ;; *) echo "FAILED: Qt6Core.dll was built by GCC $gcc, this machine's is $compiler"; failures=$((failures + 1)) ;; esac
# The package revision as noted when Qt was built, which a later stable
# update of the compiler does not change.
built_by=$(cat "$folder/licenses/qt/build/compiler-version")
case $built_by in "$compiler"-*) ;; *) echo "FAILED: licenses/qt/build names compiler $built_by, not GCC $compiler"; failures=$((failures + 1)) ;; esac
says "the compiler's package" "(Debian's g++-mingw-w64-x86-64-posix $built_by)"
says "what may replace Qt" "Qt ${qt%.*}, or a"
says "the compiler a replacement is made with" "GCC $gcc)"

# named_changes DIR: the notice's words for the patches in DIR, which ships
# as licenses\qt\build.
named_changes() {
  (cd "$1" && LC_ALL=C ls ./*.patch) | sed 's|^\./||' | paste -sd, - | sed 's/,/, /g; s/.*/with the changes in licenses\\qt\\build (&)./'
}

# The changes to Qt's source: each patch shipped, and named by its name in
# licenses\qt\build, or none.
patches=$(cd "$source_dir/scripts/qt-windows-patches" && LC_ALL=C ls "$qt"-*.patch 2>/dev/null || true)
shipped=$(cd "$folder/licenses/qt/build" && LC_ALL=C ls ./*.patch 2>/dev/null | sed 's|^\./||' || true)
if [ "$patches" != "$shipped" ]; then
  echo "FAILED: the patches for Qt $qt are \"$patches\", the folder ships \"$shipped\""
  failures=$((failures + 1))
fi
if [ -z "$patches" ]; then
  says "no changes to Qt" "version $debian, without changes."
else
  says "the changes" "version $debian, $(named_changes "$folder/licenses/qt/build")"
fi
for patch in $patches; do
  cmp -s "$source_dir/scripts/qt-windows-patches/$patch" "$folder/licenses/qt/build/$patch" ||
    { echo "FAILED: the shipped $patch differs"; failures=$((failures + 1)); }
done
for fact in options.txt toolchain.cmake; do
  [ -s "$folder/licenses/qt/build/$fact" ] || { echo "FAILED: no licenses/qt/build/$fact"; failures=$((failures + 1)); }
done

# Every file and folder the notice names, found where it says.
named=$(grep -o '[A-Za-z0-9_.+\\-]*\\[A-Za-z0-9_.+\\-]*\|[A-Za-z0-9_.+-]*\.\(dll\|exe\|txt\|html\)' "$notice" |
  sed 's/\.$//' | sort -u)
for path in $named; do
  [ -e "$folder/$(printf "%s" "$path" | tr '\\' /)" ] || { printf 'FAILED: the notice names %s, not in the folder\n' "$path"; failures=$((failures + 1)); }
done
echo "the notice names $(printf '%s\n' "$named" | wc -l) files and folders"

# Qt's prefix mirrored in links and changed: with a patch more in its build
# notes (Debian 12's Qt has none) the notice names each; without the notes,
# or built without a Windows style (the plugin and its CMake files gone),
# the sources refuse to configure, and say why.
# configure_with CHANGE: configures the sources with Qt so changed.
configure_with() {
  rm -rf "$work/qt"
  mkdir -p "$work"
  cp -as "$qt_prefix" "$work/qt"
  (cd "$work/qt" && eval "$1")
  (cd "$source_dir" && TESSARIN_QT_WINDOWS=$work/qt TESSARIN_SIGN_PFX='' TESSARIN_SIGN_PASSWORD_FILE='' \
    TESSARIN_SIGN_TIMESTAMP_URL='' cmake --preset windows -B "$work/build" -DBUILD_TESTING=OFF -DTESSARIN_BUILD_BENCH=OFF) \
    >"$work/configure.log" 2>&1 </dev/null
}
if configure_with "echo 'a change' >licenses/build/$qt-tessarin-test.patch"; then
  notice=$work/build/packaging/windows/NOTICE.txt
  says "with a patched Qt, the changes" "$(named_changes "$work/qt/licenses/build")"
else
  tail -n 30 "$work/configure.log"
  echo "FAILED: the sources do not configure with a patched Qt"
  failures=$((failures + 1))
fi
while IFS='|' read -r what change message; do
  # CMake wraps its messages: the words are compared, not the lines.
  if ! configure_with "$change" && tr -s ' \n' '  ' <"$work/configure.log" | grep -qF "$message"; then
    echo "ok: refused, $what"
  else
    tail -n 30 "$work/configure.log"
    echo "FAILED: a Qt $what configures, or not with \"$message\""
    failures=$((failures + 1))
  fi
done <<REFUSED
without the notes of its build|rm licenses/build/compiler-version|lacks the notes of its build: run scripts/windows-qt.sh once more
without a Windows style|rm plugins/styles/* lib/cmake/Qt6Widgets/Qt6Q*StylePlugin*|No Windows style plugin in $work/qt/plugins/styles
REFUSED

echo "$failures failed"
[ "$failures" -eq 0 ]
