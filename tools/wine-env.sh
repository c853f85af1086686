# Sourced by run.sh and test.sh: a Wine prefix of the project's own, quiet, with
# no crash dialog. VEL_WINE_HEADLESS=1 selects the null graphics driver, so that
# windows are created without any display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${VEL_WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
# Debian keeps wine64 out of PATH.
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH=$PATH:/usr/lib/wine ;; esac
export WINEDLLOVERRIDES="mscoree,mshtml="

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
  wine64 reg add "$key" /v Arial /d 'Liberation Sans' /f </dev/null >/dev/null 2>&1 || true
  wine64 reg add "$key" /v 'Arial Black' /d 'DejaVu Sans' /f </dev/null >/dev/null 2>&1 || true
}

vel_wine_start() {
  mkdir -p "$WINEPREFIX"
  # Detached stdio: ctest would otherwise wait on the pipes the server inherits.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine64 wineboot </dev/null >/dev/null 2>&1 || true
  wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 || true
  vel_wine_fonts
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
