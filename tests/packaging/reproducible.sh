#!/bin/sh
# Builds a release twice, the way Debian checks its own packages (reprotest),
# from a clean copy of the sources: the second build at another path, months
# later by the clock (faketime), from sources dated as much later, as a
# later checkout is, in another locale, time zone, home, search path and CPU
# count. Every file of the release must be the same bytes; where
# one is not, diffoscope says where, in a form a person can read.
#   reproducible.sh deb SOURCE SCRATCH       the Debian package
#   reproducible.sh windows SOURCE SCRATCH   the Windows program folder, the
#                                            .zip, the MSI and SHA256SUMS,
#                                            unsigned, with the Qt for Windows
#                                            of TESSARIN_QT_WINDOWS
# Built with umask 022, as dpkg-buildpackage builds Debian's packages.
set -eu
kind=$1 source=$2 scratch=$3

case $kind in
  deb)
    build='cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF &&
      cmake --build build && cd build && cpack -B ../release'
    artifacts='release/*.deb' ;;
  windows)
    unset TESSARIN_SIGN_PFX TESSARIN_SIGN_PASSWORD_FILE TESSARIN_SIGN_TIMESTAMP_URL
    build='cmake --preset windows -DBUILD_TESTING=OFF -DTESSARIN_BUILD_BENCH=OFF &&
      cmake --build --preset windows --target windows_packages'
    artifacts='build/windows/Tessarin build/windows/*.zip build/windows/*.msi build/windows/SHA256SUMS' ;;
  *) echo "reproducible: no such release: $kind" >&2; exit 2 ;;
esac

# The sources as they are, committed or not, as one commit of their own:
# the release takes its time from the commit.
rm -rf "$scratch"
mkdir -p "$scratch/src"
if [ "$(git -C "$source" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$source" && pwd -P)" ]; then
  (cd "$source" && git ls-files -z --cached --others --exclude-standard |
    tar --null --ignore-failed-read -T - -cf - 2>/dev/null) | tar -C "$scratch/src" -xf -
else
  tar -C "$source" --exclude=./build -cf - . | tar -C "$scratch/src" -xf -
fi
(cd "$scratch/src" && git init -q && git add -A &&
  GIT_COMMITTER_DATE=@1796688000 git -c user.name=Tessarin -c user.email=tessarin@example.org \
    commit -q --date=@1796688000 -m release)

# Each build's sources dated two years before its clock, as if checked out
# then: the second's as much later as its clock is, both in the past, so
# that the build takes none for newer than what it makes.
checkout='find . -exec touch -h -d @$(($(date +%s) - 63072000)) {} +'
# Left alone: the build's user and group, its host and domain name, which
# need privileges to vary, and the order of files in a folder (disorderfs,
# a FUSE file system).
cd "$scratch/src"
reprotest --min-cpus=2 --vary=-user_group,-domain_host,-fileordering --store-dir="$scratch/results" \
  -c "$checkout && umask 022 && $build" . "$artifacts"
