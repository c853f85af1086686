#!/usr/bin/env bash
# Builds everything: the host tools (artwork, firmware images) and native tests,
# then VelPanel for x86_64 and i686, and stages the runnable folders dist/win64
# and dist/win32. Options: --no-tests (skip building the test programs),
# --package (also make the release packages in dist/packages: per architecture
# a site zip, a zip with the simulated panels and an installer, see
# packaging/make-packages.sh), --jobs N, --format (only apply
# .clang-format to every C++ file of the tree, then stop; needs clang-format).
# Compiles go through ccache when it is installed (cmake/ccache.cmake), with the
# cache in CCACHE_DIR, by default ~/.cache/velpanel-ccache.
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
jobs=$(nproc)
tests=ON
package=0
while [ $# -gt 0 ]; do
  case "$1" in
    --no-tests) tests=OFF ;;
    --package) package=1 ;;
    --jobs) jobs=$2; shift ;;
    --format)
      command -v clang-format >/dev/null || {
        echo "build.sh: --format needs clang-format (apt-get install clang-format)" >&2
        exit 2
      }
      git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i
      exit 0 ;;
    *) echo "build.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done

say() { printf '==> %s\n' "$*"; }
source tools/phase.sh
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/velpanel-ccache}

say "host tools and native tests"
vel_phase "build host"
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$tests" = ON ]; then
  cmake --build build/host -j "$jobs"
else
  cmake --build build/host -j "$jobs" --target artgen mkrom
fi

say "artwork"
vel_phase artwork
mkdir -p build/art
build/host/tools/artgen/artgen build/art

say "sample firmware images"
vel_phase "firmware samples"
mkdir -p build/firmware
if [ -x build/host/tools/mkrom/mkrom ]; then
  build/host/tools/mkrom/mkrom --samples build/firmware
fi

for arch in x86_64:win64 i686:win32; do
  cpu=${arch%%:*}; name=${arch##*:}
  say "VelPanel $name"
  vel_phase "build $name"
  # Both architectures build their test programs: the field runs the i686 build
  # beside the maker's 32-bit library, and test.sh runs the suite on each.
  notests=OFF
  [ "$tests" = ON ] || notests=ON
  cmake -S . -B "build/$name" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$cpu.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_ART_DIR="$root/build/art" -DVEL_NO_TESTS=$notests >/dev/null
  if [ "$tests" = ON ]; then
    cmake --build "build/$name" -j "$jobs"
  else
    cmake --build "build/$name" -j "$jobs" --target VelPanel TqDvManager velsim
  fi
  dist="dist/$name"
  rm -rf "$dist"; mkdir -p "$dist/firmware"
  cp "build/$name/app/VelPanel.exe" "build/$name/simulator/TqDvManager.dll" "$dist/"
  for f in build/$name/simulator/velsim.exe help/Vel*.txt; do
    [ -e "$f" ] && cp "$f" "$dist/"
  done
  # The debug information stays in the build folder; the shipped folder gets lean binaries.
  for f in "$dist"/*.exe "$dist"/*.dll; do
    "$cpu-w64-mingw32-strip" --strip-debug "$f"
  done
  cp build/firmware/*.rom "$dist/firmware/" 2>/dev/null || true
  # The recorder (recorder/README.md) in a folder of its own, so that its TqDvManager.dll never
  # takes the place of ours by accident; its scripts swap it in beside VelPanel.exe.
  cmake --build "build/$name" -j "$jobs" --target TqDvRecorder
  mkdir -p "$dist/recorder"
  cp "build/$name/recorder/dll/TqDvManager.dll" recorder/record-o* recorder/README.md "$dist/recorder/"
  "$cpu-w64-mingw32-strip" --strip-debug "$dist/recorder/TqDvManager.dll"
done
if [ $package = 1 ]; then
  # The one place of the version: res/version.h, which the version resources use too.
  version=$(for part in MAJOR MINOR PATCH BUILD; do
              sed -n "s/^#define VEL_VERSION_$part \([0-9]\+\)\$/\1/p" res/version.h
            done | paste -sd.)
  [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || {
    echo "build.sh: no version in res/version.h" >&2
    exit 1
  }
  say "release packages $version"
  vel_phase packages
  packaging/make-packages.sh "$version"
fi
vel_phase
say "done: dist/win64 and dist/win32"
