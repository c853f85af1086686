#!/usr/bin/env bash
# Installs what is missing, builds everything with the release packages and runs
# every test: the native sanitizer tests of the window-free logic, the Windows
# tests under Wine, headless, and the installer's round trip under Wine. Ends
# with the wall and CPU time of every phase. Compiles go through ccache (see
# build.sh): a later run on the same machine, from any folder, recompiles little.
set -euo pipefail
cd "$(dirname "$0")"
source tools/phase.sh
mkdir -p build
export VEL_PHASE_LOG=$PWD/build/phases.txt
: >"$VEL_PHASE_LOG"
vel_phase deps
tools/install-deps.sh
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/velpanel-ccache}
ccache -d "$CCACHE_DIR" --zero-stats >/dev/null
vel_phase
./build.sh --package

echo "==> native tests (ThreadSanitizer)"
vel_phase "build host-tsan"
# Only the sanitizer tests: the tools and their tests are build/host's.
cmake -S . -B build/host-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEL_SANITIZE=thread >/dev/null
cmake --build build/host-tsan -j "$(nproc)"
ccache -d "$CCACHE_DIR" --print-stats | awk -F'\t' '
  $1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hit += $2 }
  $1 == "cache_miss" { miss = $2 }
  END { printf "==> compiler cache: %d hits, %d misses\n", hit, miss }'

echo "==> native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
vel_phase "test native asan"
ctest --test-dir build/host --output-on-failure -j "$(nproc)"
echo "==> native tests (ThreadSanitizer)"
vel_phase "test native tsan"
ctest --test-dir build/host-tsan --output-on-failure -j "$(nproc)"

echo "==> Windows tests under Wine"
vel_phase "wine start"
unset DISPLAY
export VEL_WINE_HEADLESS=1
source tools/wine-env.sh
vel_wine_start
trap vel_wine_stop EXIT
# Every test runs on a desktop of its own ctest slot (tests/support/TestDesktop.h),
# held for the whole session by a keeper whose standard handles are not a test's.
jobs=2
vel_test_desktops_start build/win64 $jobs
failed=()
# The 32-bit programs first: they are what the field runs, beside the maker's
# 32-bit library. No retry: a test that fails once has found something.
archs=(win32 win64)
if ! vel_wine32_usable; then
  archs=(win64)
  echo "==> NOTE: this machine cannot start 32-bit programs ($(/usr/lib/wine/wine --version 2>&1 | head -n1));"
  echo "==>       the win32 test programs are built but not run here"
fi
for arch in "${archs[@]}"; do
  echo "==> Windows tests under Wine: $arch"
  vel_phase "test wine $arch"
  ctest --test-dir "build/$arch" --output-on-failure -j $jobs \
        --resource-spec-file "$PWD/build/$arch/test-desktops.json" || failed+=("Windows tests $arch")
done

for arch in "${archs[@]}"; do
  echo "==> installer round trip under Wine: $arch"
  vel_phase "test installer $arch"
  # The server of the Windows tests still runs, with the prefix set up. Every Wine
  # program of the round trip gets the fixed layout the test programs get.
  VEL_WINE_RUNNING=1 "$vel_without_aslr" tests/package/installer-roundtrip.sh --arch $arch || failed+=("installer $arch")
done
vel_phase
vel_phase_summary
if [ ${#failed[@]} -gt 0 ]; then
  printf '==> FAILED: %s\n' "${failed[@]}"
  exit 1
fi
