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
if [ $virtual = 1 ]; then
  # A Wine desktop draws the title bars that a bare X server has no manager for.
  ( cd "$dist" && exec "$vel_without_aslr" wine64 explorer /desktop=VelPanel,1024x768 VelPanel.exe ) >/dev/null 2>&1 &
else
  ( cd "$dist" && exec "$vel_without_aslr" wine64 VelPanel.exe ) &
fi
app=$!

if [ $demo = 1 ]; then
  sleep 4
  echo "==> playing the simulator's demo script (open a panel window to watch it)"
  ( cd "$dist" && vel_wine64 velsim.exe demo ) || echo "velsim: the demo could not be started" >&2
fi

if [ $virtual = 1 ]; then
  shot=${shot:-$PWD/build/velpanel-main.png}
  for _ in $(seq 1 30); do
    xdotool search --name 'VelPanel' >/dev/null 2>&1 && break
    sleep 1
  done
  sleep 5
  import -window root "$shot"
  echo "==> screenshot of the main window: $shot"
  # Nobody can work a window on a virtual display: end the program the way a user
  # would, with Esc, and give it a moment to let go of its panels.
  xdotool search --name 'VelPanel' key Escape >/dev/null 2>&1 || true
  for _ in $(seq 1 10); do kill -0 $app 2>/dev/null || break; sleep 1; done
else
  wait $app || true
fi
vel_wine_stop
