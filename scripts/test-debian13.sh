#!/bin/sh
# Runs the test command (scripts/test.sh) in a Debian 13 root, so that a
# release is tried on today's Debian from a Debian 12 machine too. Run as root.
#
#   sh scripts/test-debian13.sh               the test command
#   sh scripts/test-debian13.sh COMMAND...    another command, in the same tree
#
# The root is made once with debootstrap from the same Debian mirrors that
# this machine uses, and kept with its own Qt-for-Windows cache under
# /var/cache/tessarin (or $TESSARIN_DEBIAN13_ROOT), so that later runs reuse
# both. Each run copies the committed tree (HEAD) into it afresh and runs the
# test command there, with /proc, /sys and /dev mounted for the run only.
set -eu
cd "$(dirname "$0")/.."

root=${TESSARIN_DEBIAN13_ROOT:-/var/cache/tessarin/debian-13}
release=trixie

if [ "$(id -u)" -ne 0 ]; then
  echo "Debian 13 root: run as root (debootstrap, chroot and mount need it)" >&2
  exit 1
fi

# This machine's Debian sources, retargeted at Debian 13: the same mirrors,
# the same security archive, nothing named here.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
sources() {
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && grep -q '^URIs:.*debian' "$f" && cat "$f" && echo
  done
  if [ -f /etc/apt/sources.list ]; then grep '^deb .*debian' /etc/apt/sources.list || true; fi
}
mirror=$(sources | sed -n 's/^URIs: *\([^ ]*\).*/\1/p; s/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\).*/\2/p' |
  grep -v -- '-security' | head -n 1)
if [ -z "$mirror" ] || [ -z "$codename" ]; then
  echo "Debian 13 root: no Debian mirror found in this machine's apt sources" >&2
  exit 1
fi

# One run at a time: a second would take down the first one's mounts, and
# the first, ending, the second's. The lock is held by every process of a
# run, a stray test of a killed run too.
mkdir -p "$(dirname "$root")"
exec 9>"$root.lock"
if ! flock -n 9; then
  echo "Debian 13 root: another run is using $root; wait for it to end" >&2
  exit 1
fi

# A run killed outright leaves its mounts: take them down before anything
# under the root is removed, or removing it would reach the machine's own.
left=$(awk -v r="$root/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r)
for m in $left; do umount -R "$m" 2>/dev/null || umount -l "$m"; done
if awk -v r="$root/" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
  echo "Debian 13 root: something is still mounted under $root; not touching it" >&2
  exit 1
fi

if [ ! -f "$root/.complete" ]; then
  command -v debootstrap >/dev/null ||
    { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends debootstrap; }
  echo "Debian 13 root: making it in $root from $mirror (a few minutes, once)"
  rm -rf "$root"
  mkdir -p "$root"
  debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.log" 2>&1 ||
    { tail -n 40 "$root.log" >&2; echo "Debian 13 root: debootstrap failed (log: $root.log)" >&2; exit 1; }
  # Plain deb lines and deb822 files alike, their suites renamed.
  rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
  sources |
    sed "s/\b$codename\b/$release/g" >"$root/etc/apt/sources.list.d/debian.sources.tmp"
  if grep -q '^Types:' "$root/etc/apt/sources.list.d/debian.sources.tmp"; then
    mv "$root/etc/apt/sources.list.d/debian.sources.tmp" "$root/etc/apt/sources.list.d/debian.sources"
  else
    mv "$root/etc/apt/sources.list.d/debian.sources.tmp" "$root/etc/apt/sources.list"
  fi
  touch "$root/.complete"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# Mounted for this run only, and unmounted however it ends.
mounted=""
unmount() {
  for m in $mounted; do umount -R "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true; done
}
trap unmount EXIT
trap 'exit 130' INT TERM
for m in proc sys dev; do
  mkdir -p "$root/$m"
  case $m in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --rbind "/$m" "$root/$m" && mount --make-rslave "$root/$m" ;;
  esac
  mounted="$root/$m $mounted"
done

tree=/root/tessarin
rm -rf "$root$tree"
mkdir -p "$root$tree"
git archive --format=tar HEAD | tar -C "$root$tree" -xf -
[ $# -gt 0 ] || set -- sh scripts/test.sh
echo "Debian 13 root: running $* in $root$tree"
# The copy has no history: the release's time comes with it, the commit's.
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct)" \
  TERM="${TERM:-dumb}" sh -c 'cd "$0" && exec "$@"' "$tree" "$@"
