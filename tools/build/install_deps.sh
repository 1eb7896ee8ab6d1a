#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

native=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
        clang libclang-rt-14-dev g++-mingw-w64-i686 binutils-mingw-w64-i686
        xvfb xauth xdotool imagemagick ffmpeg libxml2-utils unrtf wine64
        g++-mingw-w64-x86-64 python3 gpsbabel unzip)
i386=(wine32:i386)
also=(wine)

missing=()
for p in "${native[@]}" "${also[@]}" "${i386[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
# Node.js may come from another source that bundles npm; only ask for
# Debian's packages when there is no npm at all.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "installing: ${missing[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
