#!/usr/bin/env bash
# Installs what building, running and testing VelPanel needs on Debian 12: the
# cross compilers, 64-bit and 32-bit Wine in one prefix (the maker's library on
# site is 32-bit, so dist/win32 is what the field runs and the tests run it too),
# the virtual display and the packaging tools. Idempotent; apt-get update runs
# once, and only when something is missing.
set -euo pipefail
need=(cmake make g++ mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
      wine wine64 wine32:i386 xvfb imagemagick xdotool x11-utils)
# Fonts the windows name, or stand-ins of their measure, and Wine's own (tools/wine-env.sh).
need+=(fonts-wine fonts-liberation fonts-dejavu-core)
# The compiler cache of build.sh, and what build.sh --package makes the zips and installers with.
need+=(ccache zip nsis)
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
# wine32 is an i386 package: without the architecture dpkg cannot even name it.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "==> adding the i386 architecture (32-bit Wine)"
  $sudo dpkg --add-architecture i386
fi
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "==> installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# A suite's index that fails to download (a mirror caught mid-sync) is left out
# by apt-get update; the install below says whether what is left suffices.
$sudo apt-get update -qq || echo "==> apt-get update reported errors; trying with the indexes it has"
if ! $sudo apt-get install -y -qq "${missing[@]}" >/dev/null; then
  # Multiarch pairs (zlib1g and zlib1g:i386 ...) must have one version. When the
  # security suite's i386 index is missing or behind its amd64 one, apt can't pair
  # them; the release's own suite has both architectures at one version.
  echo "==> retrying with the packages of the release's own suite preferred"
  $sudo apt-get install -y -qq -o APT::Default-Release="$(. /etc/os-release; echo "$VERSION_CODENAME")" \
    "${missing[@]}" >/dev/null
fi
