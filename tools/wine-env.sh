# Sourced by run.sh and test.sh: a Wine prefix of the project's own, quiet, with
# no crash dialog. VEL_WINE_HEADLESS=1 selects the null graphics driver, so that
# windows are created without any display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VEL_WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
# Debian keeps wine64 out of PATH.
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH=$PATH:/usr/lib/wine ;; esac
export WINEDLLOVERRIDES="mscoree,mshtml="

vel_wine_start() {
  mkdir -p "$WINEPREFIX"
  # Detached stdio: ctest would otherwise wait on the pipes the server inherits.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine64 wineboot </dev/null >/dev/null 2>&1 || true
  wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
  if [ "${VEL_WINE_HEADLESS:-0}" = 1 ]; then
    wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 || true
  else
    wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true
  fi
  # The desktop process started with the prefix still has the driver it found
  # then; restart so that every process, that one included, uses the one chosen.
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine64 wineboot </dev/null >/dev/null 2>&1 || true
  return 0
}

vel_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
