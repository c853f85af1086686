#!/usr/bin/env bash
# An installer's round trip under Wine, silent, headless (win64 or win32, each
# with its own loader, registry view and shortcut):
#  1. install for a site (no option) into a folder of our choosing (/D=, with
#     spaces); check every file against dist/<arch>, that none of the simulated
#     panels' files (packaging/simulated-files.txt) came along, the Start-menu
#     shortcut and the uninstall registration; uninstall and check that nothing is
#     left: folder, shortcut, registry key;
#  2. the same with the simulated panels (/SIMULATED), which brings every file of
#     dist/<arch>; start VelPanel.exe from that folder and wait for its main window
#     (bench's VelBench finds it and closes it again) before the uninstall;
#  3. with a TqDvManager.dll in the folder that is not ours (the panel maker's),
#     install with the simulated panels and uninstall: that library must come out
#     untouched, still there, none of the simulated panels' files must have been
#     installed beside it, and the rest must be gone.
# Needs ./build.sh --package and the test build of build/<arch> (for VelBench.exe).
# Usage: tests/package/installer-roundtrip.sh [--arch win64|win32] [SETUP.exe]
# test.sh runs it with VEL_WINE_RUNNING=1 in its Wine session; on its own, it
# starts the project's headless Wine prefix and stops it again.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
arch=win64
if [ "${1:-}" = --arch ]; then arch=${2:?--arch needs win64 or win32}; shift 2; fi
case "$arch" in
    # The 32-bit loader runs the 32-bit programs, and its reg.exe sees the 32-bit
    # registry view that the 32-bit installer writes its uninstall key to.
    win64) loader=wine64; shortcut_name=VelPanel.lnk ;;
    win32) loader=wine; shortcut_name='VelPanel (32-bit).lnk' ;;
    *) echo "installer-roundtrip: --arch must be win64 or win32" >&2; exit 2 ;;
esac
dist=$root/dist/$arch
bench=$root/build/$arch/bench/VelBench.exe
setup=${1:-$(ls -t "$root"/dist/packages/VelPanel-*-"$arch"-setup.exe 2>/dev/null | head -n 1)}

fail() {
    echo "installer-roundtrip: FAILED: $*" >&2
    exit 1
}
step() { printf -- '--- %s\n' "$*"; }

[ -f "$setup" ] || fail "no $arch installer in dist/packages (./build.sh --package)"
[ -f "$bench" ] || fail "no $bench (the test build of build/$arch)"
version=$(basename "$setup" | sed -n "s/^VelPanel-\\(.*\\)-$arch-setup\\.exe\$/\\1/p")

unset DISPLAY
export VEL_WINE_HEADLESS=1
source tools/wine-env.sh
if [ "${VEL_WINE_RUNNING:-0}" != 1 ]; then
    vel_wine_start
    trap vel_wine_stop EXIT
fi
# The shortcut the installer makes would otherwise become a menu entry of this machine.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

drive=$WINEPREFIX/drive_c
folder_win='C:\Program Files\VelPanel Round Trip'
folder="$drive/Program Files/VelPanel Round Trip"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/$shortcut_name"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelPanel'

registered() { $loader reg query "$key" >/dev/null 2>&1; }
reg_value() { $loader reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }

install() {
    # NSIS takes everything after /D= as the folder, unquoted: the folder goes in
    # as separate words so that Wine puts no quotes around it.
    # shellcheck disable=SC2086
    $loader "$setup" /S "$@" /D=$folder_win </dev/null >/dev/null 2>&1 || fail "the installer ended with $?"
}

# The uninstaller runs from a copy of itself in the temporary folder and returns
# at once: wait for its last step, the registry key.
uninstall() {
    $loader "$folder_win\\Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the uninstaller ended with $?"
    for _ in $(seq 1 60); do
        if [ ! -e "$folder/Uninstall.exe" ] && ! registered; then return 0; fi
        sleep 1
    done
    fail "the uninstaller has not finished after 60 s"
}

# Left over from an interrupted run.
rm -rf "$folder" "$shortcut"
$loader reg delete "$key" /f >/dev/null 2>&1 || true

source packaging/simulated-files.sh

# Every file of dist/<arch> that the install should bring is there and the same;
# the others are not there at all.
check_files() {
    local with_simulated=$1 f
    [ ${#simulated[@]} -gt 0 ] || fail "no list of the simulated panels' files"
    while read -r f; do
        f=${f#./}
        if [ "$with_simulated" = 1 ] || ! is_simulated "$f"; then
            cmp -s "$dist/$f" "$folder/$f" || fail "installed $f differs from dist/$arch or is missing"
        elif [ -e "$folder/$f" ]; then
            fail "$f installed without the simulated panels"
        fi
    done < <(cd "$dist" && find . -type f)
    [ -f "$folder/Uninstall.exe" ] || fail "no Uninstall.exe"
    [ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
    [ "$(reg_value DisplayVersion)" = "$version" ] || fail "uninstall key: DisplayVersion is not $version"
    [ "$(reg_value UninstallString)" = "\"$folder_win\\Uninstall.exe\"" ] || fail "uninstall key: UninstallString"
}

uninstall_leaves_nothing() {
    step "uninstall"
    uninstall
    [ ! -e "$folder" ] || fail "left behind: $(cd "$folder" && find . -mindepth 1 | tr '\n' ' ')"
    [ ! -e "$shortcut" ] || fail "left behind: the Start-menu shortcut"
}

step "install $(basename "$setup") /S /D=$folder_win, for a site"
install
check_files 0
uninstall_leaves_nothing

step "install $(basename "$setup") /S /SIMULATED /D=$folder_win"
install /SIMULATED
check_files 1

step "start the installed VelPanel.exe"
(cd "$folder" && exec $loader "$folder_win\\VelPanel.exe" </dev/null >/dev/null 2>&1) &
app=$!
answers=$(printf 'find 30\nclose 15\nquit\n' | $loader "$bench" 2>/dev/null | tr -d '\r')
wait $app || true
printf '%s\n' "$answers" | sed 's/^/    VelBench: /'
[[ $(sed -n 1p <<<"$answers") == "ok main="* ]] || fail "no main window of the installed VelPanel"
[[ $(sed -n 2p <<<"$answers") == "ok exit-code=0" ]] || fail "the installed VelPanel did not close cleanly"
uninstall_leaves_nothing

step "the panel maker's TqDvManager.dll in the folder: install /SIMULATED, uninstall"
# Any library without our mark stands for the maker's; VelPanel.exe has a version
# resource of another name.
mkdir -p "$folder"
cp "$dist/VelPanel.exe" "$folder/TqDvManager.dll"
install /SIMULATED
cmp -s "$dist/VelPanel.exe" "$folder/TqDvManager.dll" || fail "the installer overwrote the maker's library"
for f in "${simulated[@]}"; do
    [ "$f" = TqDvManager.dll ] || [ ! -e "$folder/$f" ] || fail "$f installed beside the maker's library"
done
[ -f "$folder/VelPanel.exe" ] || fail "no VelPanel.exe"
uninstall
cmp -s "$dist/VelPanel.exe" "$folder/TqDvManager.dll" || fail "the uninstaller removed or changed the maker's library"
left=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | tr '\n' ' ')
[ "$left" = "TqDvManager.dll " ] || fail "left behind beside the maker's library: $left"
[ ! -e "$shortcut" ] || fail "left behind: the Start-menu shortcut"
rm -rf "$folder"

echo "installer round trip ($arch): passed"
