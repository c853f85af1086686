#!/usr/bin/env bash
# Installs what is missing, builds, and starts VelPanel under Wine with the
# stand-in device library's simulated panels. Uses the real display when there
# is one; otherwise starts a virtual display, saves a screenshot of the main
# window and says where. Options: --demo plays the simulator's demo script once
# the program is up; --screenshot FILE chooses the screenshot path.
set -euo pipefail
cd "$(dirname "$0")"
demo=0
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --demo) demo=1 ;;
    --screenshot) shot=$2; shift ;;
    *) echo "run.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
tools/install-deps.sh
./build.sh --no-tests

virtual=0
if [ -z "${DISPLAY:-}" ]; then
  virtual=1
  export DISPLAY=:57
  echo "==> no display: starting a virtual one ($DISPLAY)"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  sleep 2
fi
export VEL_WINE_HEADLESS=0
source tools/wine-env.sh
vel_wine_start

dist=$PWD/dist/win64
echo "==> starting VelPanel from $dist"
( cd "$dist" && exec wine64 VelPanel.exe ) &
app=$!

if [ $demo = 1 ]; then
  sleep 4
  echo "==> playing the simulator's demo script (open a panel window to watch it)"
  ( cd "$dist" && wine64 velsim.exe demo ) || echo "velsim: the demo could not be started" >&2
fi

if [ $virtual = 1 ]; then
  shot=${shot:-$PWD/build/velpanel-main.png}
  for _ in $(seq 1 30); do
    if xdotool search --name '^VelPanel$' >/dev/null 2>&1; then break; fi
    sleep 1
  done
  sleep 3
  import -window root "$shot"
  echo "==> screenshot of the main window: $shot"
  # Nobody can work a window on a virtual display: close the program cleanly.
  for w in $(xdotool search --name '^VelPanel$' 2>/dev/null); do xdotool key --window "$w" Escape 2>/dev/null || true; done
fi
wait $app || true
vel_wine_stop
