# Sourced by the other scripts: the environment every Wine call of the project uses.
# Usage: . scripts/wine-env.sh [prefix-dir]
_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${1:-${WINEPREFIX:-$_root/build/wineprefix}}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8
# Japan time, so that local-time conversions are visible in the tests.
export TZ=Asia/Tokyo
unset _root
