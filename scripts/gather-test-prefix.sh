#!/usr/bin/env bash
# Makes, or refreshes, the Wine prefix of the gathering tests. Its drives are
# small trees, so no drive search ever walks the Linux file system:
#   c: the prefix's own drive_c (fixed; its user folders made plain folders)
#   d: <prefix>/drives/d, fixed        e: <prefix>/drives/e, CD-ROM
#   z: <prefix>/drives/z, network (instead of the whole Linux file system)
# The trees of d:, e: and z: are made afresh on every run, and what earlier
# test runs left on c: is removed.
# Usage: scripts/gather-test-prefix.sh <prefix-dir>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="${1:?usage: gather-test-prefix.sh <prefix-dir>}"
mkdir -p "$(dirname "$prefix")"
prefix="$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")"
bash "$here/wine-prefix.sh" "$prefix"
. "$here/wine-env.sh" "$prefix"

drives="$prefix/drives"
rm -rf "$drives"
mkdir -p "$drives/d" "$drives/e" "$drives/z"
# Files that exist only off the fixed drives: a drive search never finds them.
printf 'cdrom\r\n' >"$drives/e/plimsar-off-hdd.dwg"
printf 'network\r\n' >"$drives/z/plimsar-off-hdd.dwg"

# A new prefix links the user folders to the Linux home directory.
for link in "$prefix"/drive_c/users/*/*; do
  if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
done
rm -rf "$prefix"/drive_c/users/*/Temp/plimsar-tests "$prefix"/drive_c/plimsar-*

cd "$prefix/dosdevices"
ln -sfn ../drives/d d:
ln -sfn ../drives/e e:
ln -sfn ../drives/z z:

stamp="$prefix/.gather-drives-ready"
if [ ! -f "$stamp" ]; then
  # Drive types are read by Wine's mount manager when the server starts.
  reg="$prefix/drive_c/plimsar-drives.reg"
  cat >"$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"c:"="hd"
"d:"="hd"
"e:"="cdrom"
"z:"="network"

[HKEY_CURRENT_USER\Software\Wine]
"ShowDotFiles"="Y"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

REG
  (cd "$prefix/drive_c" && wine regedit /S 'C:\plimsar-drives.reg' >/dev/null 2>&1 </dev/null)
  rm -f "$reg"
  wineserver -w
  touch "$stamp"
fi
