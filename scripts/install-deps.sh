#!/usr/bin/env bash
# Installs the build and test tools (Debian 12) and the ja_JP.UTF-8 locale.
# Idempotent: does nothing when everything is already present.
set -euo pipefail

pkgs=(g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
      wine wine64 fonts-wine xvfb xauth fonts-ipafont-gothic locales cmake ninja-build
      g++ clang libclang-rt-14-dev googletest zip unzip python3 imagemagick x11-apps)

missing=()
for p in "${pkgs[@]}"; do
  status="$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)"
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# Wine needs the Japanese locale to run with code page 932.
# (Read the list whole: with pipefail, grep -q closing the pipe early would fail the test.)
locales="$(locale -a 2>/dev/null || true)"
if ! grep -qi '^ja_JP\.utf8$' <<<"$locales"; then
  if [ "$(id -u)" != 0 ]; then
    echo "locale ja_JP.UTF-8 missing (run as root to generate)" >&2
    exit 1
  fi
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
