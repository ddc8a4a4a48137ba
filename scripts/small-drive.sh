#!/usr/bin/env bash
# Runs a command with a small drive of its own in the Wine prefix: a 2 MB tmpfs, mapped as the
# first free drive letter from T: and named to the command by VELMORA_SMALL_DRIVE ("T:\"), for
# the tests that fill a disk. The drive holds a folder "links" with the Unix link
# link.txt -> linked.txt. Where mounting is refused (no root, a container), the command runs
# without the drive and those tests skip themselves. Mapping and mount go when the command ends.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"

mnt="" letter_link=""
cleanup() {
  [ -n "$letter_link" ] && rm -f "$letter_link"
  if [ -n "$mnt" ]; then
    mountpoint -q "$mnt" && umount "$mnt"
    rmdir "$mnt" 2>/dev/null
  fi
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

prepare() {
  local dev="$WINEPREFIX/dosdevices" l
  [ -d "$dev" ] || { echo "small-drive: no prefix at $WINEPREFIX" >&2; return 1; }
  mnt=$(mktemp -d "${TMPDIR:-/tmp}/velmora-small-drive.XXXXXX") || return 1
  if ! mount -t tmpfs -o size=2m,mode=0755 tmpfs "$mnt" 2>/dev/null; then
    echo "small-drive: mounting a tmpfs was refused (not root, or a container); the tests that fill a disk are skipped" >&2
    return 1
  fi
  for l in t u v w x y; do
    if [ ! -e "$dev/$l:" ] && [ ! -L "$dev/$l:" ]; then
      ln -s "$mnt" "$dev/$l:" && letter_link="$dev/$l:" && break
    fi
  done
  [ -n "$letter_link" ] || { echo "small-drive: no free drive letter in the prefix" >&2; return 1; }
  mkdir "$mnt/links" && ln -s linked.txt "$mnt/links/link.txt"
  export VELMORA_SMALL_DRIVE="${l^^}:\\"
}

prepare || unset VELMORA_SMALL_DRIVE
"$@"
