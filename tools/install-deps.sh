#!/usr/bin/env bash
# Installs what building, running and testing VelPanel needs on Debian 12.
set -euo pipefail
need=(cmake make g++ mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
      wine wine64 xvfb imagemagick xdotool x11-utils)
# Fonts the windows name, or stand-ins of their measure, and Wine's own (tools/wine-env.sh).
need+=(fonts-wine fonts-liberation fonts-dejavu-core)
# The compiler cache of build.sh, and what build.sh --package makes the zips and installers with.
need+=(ccache zip nsis)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
echo "==> installing: ${missing[*]}"
sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
