# Sourced by run.sh and test.sh: a Wine prefix of the project's own, quiet, with
# no crash dialog. VEL_WINE_HEADLESS=1 selects the null graphics driver, so that
# windows are created without any display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VEL_WINEPREFIX:-$root/build/wineprefix}
# Quiet, but for Wine's own errors: a program that Wine cannot start at all ends
# with nothing else on its output to say why.
export WINEDEBUG=-all,err+all
# Debian keeps wine64 out of PATH.
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH=$PATH:/usr/lib/wine ;; esac
export WINEDLLOVERRIDES="mscoree,mshtml="

# The 64-bit loader with a fixed address-space layout, as the test programs get it
# from their emulator: without Wine's preloader, a randomly placed heap now and
# then takes an address Wine must have, and the program ends before it starts
# (cmake/without-aslr.sh).
vel_without_aslr=$root/cmake/without-aslr.sh
vel_wine64() {
  "$vel_without_aslr" wine64 "$@"
}

# The fonts the dialog templates name, as far as Debian has them: Liberation Sans is
# metric-compatible with Arial; nothing free is for Arial Black, and DejaVu Sans's
# bold face comes closest (a touch wider, so a text that fits under Wine fits on
# Windows too; the template asks for the black weight, which picks that face).
# Debian's Wine does not load its own fonts (Marlett draws the title bar's
# buttons, Tahoma stands for MS Shell Dlg) from where fonts-wine puts them, so
# they are linked into the prefix's Fonts folder. Costs a grep when already done.
vel_wine_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts own=/usr/share/wine/fonts f
  mkdir -p "$fonts"
  if [ -d "$own" ]; then
    for f in "$own"/*; do
      [ -e "$fonts/${f##*/}" ] || ln -sf "$f" "$fonts/${f##*/}"
    done
  fi
  grep -qF '"Arial Black"="DejaVu Sans"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  local key='HKCU\Software\Wine\Fonts\Replacements'
  vel_wine64 reg add "$key" /v Arial /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1 || true
  vel_wine64 reg add "$key" /v 'Arial Black' /d 'DejaVu Sans' /f </dev/null >/dev/null 2>&1 || true
}

vel_wine_start() {
  mkdir -p "$WINEPREFIX"
  # Detached stdio: ctest would otherwise wait on the pipes the server inherits.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  vel_wine64 wineboot </dev/null >/dev/null 2>&1 || true
  vel_wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
  vel_wine_fonts
  if [ "${VEL_WINE_HEADLESS:-0}" = 1 ]; then
    vel_wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 || true
  else
    vel_wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true
  fi
  # The desktop process started with the prefix still has the driver it found
  # then; restart so that every process, that one included, uses the one chosen.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  vel_wine64 wineboot </dev/null >/dev/null 2>&1 || true
  return 0
}

# Starts the test desktops' keeper (tests/support/DesktopKeeper.cpp) of the build
# folder $1 for the ctest slots 0 to $2-1 and the default desktop, detached with
# its output in a file, and waits until it holds them all. It ends with the Wine
# session.
vel_test_desktops_start() {
  local keeper=$1/tests/support/vel_desktop_keeper.exe log=$1/desktop-keeper.log ids=() i
  for ((i = 0; i < $2; i++)); do ids+=("$i"); done
  : >"$log"
  "$vel_without_aslr" wine64 "$keeper" "${ids[@]}" default </dev/null >"$log" 2>&1 &
  disown
  for _ in $(seq 1 300); do
    [ "$(grep -c '^holding' "$log")" -eq $(($2 + 1)) ] && return 0
    sleep 0.1
  done
  echo "vel_test_desktops_start: the keeper holds only: $(tr '\r\n' '  ' <"$log")" >&2
  return 1
}

# True when this machine can run the 32-bit Wine loader. wine32:i386 installs on
# any amd64 Debian, but a kernel without 32-bit user space (some virtual
# machines' kernels refuse i386 executables with "Exec format error") cannot
# start it, and Debian's wine64 has no working WoW64 of its own.
vel_wine32_usable() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

vel_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
