#!/usr/bin/env bash
# Takes the README's pictures: runs VelPanel with the simulated panels on a
# virtual display of its own, works the panels with velsim until each window
# shows something worth seeing, and saves each window alone as docs/<name>.png.
# Re-run it whenever a window changes, and look at the pictures before committing.
#
#   tools/screenshots.sh [--dist DIR] [--out DIR] [SHOT...]
#
# --dist: the program folder (VelPanel.exe, TqDvManager.dll, velsim.exe); default
#         dist/win64, built with ./build.sh --no-tests when it is missing.
# --out:  where the pictures go; default docs.
# SHOT:   only these pictures (main jog audio trackball mediabar copying
#         information check motors lamps); default all. check also saves the service report
#         it shows and renders it as docs/report.png with headless Chromium
#         (installed here when missing), and prints it to build/report/report.pdf
#         with its A4 pages as PNG files beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$root/dist/win64
out=$root/docs
all_shots=(main jog audio trackball mediabar copying information check motors lamps)
shots=()
while [ $# -gt 0 ]; do
  case "$1" in
    --dist) dist=$(cd "$2" && pwd); shift ;;
    --out) out=$2; shift ;;
    -*) echo "screenshots.sh: unknown option $1" >&2; exit 2 ;;
    *) shots+=("$1") ;;
  esac
  shift
done
[ ${#shots[@]} -gt 0 ] || shots=("${all_shots[@]}")

if [ ! -e "$dist/VelPanel.exe" ]; then
  "$root/tools/install-deps.sh"
  (cd "$root" && ./build.sh --no-tests)
fi
mkdir -p "$out"

# A prefix of its own: Wine draws the title bars itself here (there is no window
# manager on the virtual display), which is not wanted in run.sh's prefix.
export VEL_WINEPREFIX=$root/build/wineprefix-screenshots
export VEL_WINE_HEADLESS=0
# A control channel of its own, so that velsim reaches this VelPanel only.
export VELPANELSIM_PIPE=VelPanelSim-screenshots-$$
source "$root/tools/wine-env.sh"
display=""
for n in $(seq 70 99); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
done
[ -n "$display" ] || { echo "screenshots.sh: no free display number" >&2; exit 1; }
export DISPLAY=$display
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  vel_wine_stop
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 2
vel_wine_start
vel_wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1

# ---- helpers ------------------------------------------------------------------

# velsim commands, one a line, from standard input.
sim() { (cd "$dist" && vel_wine64 velsim.exe -) | grep -v "^ok" || true; }

# The X window of the visible top-level window with exactly this title.
find_window() {
  local title=$1 id
  for _ in $(seq 1 60); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  echo "screenshots.sh: no window \"$title\"" >&2
  return 1
}

# Wine draws the frame: 3 pixels of border, 20 of caption. Dialog units are
# worked out from the window's size, so a change of font moves the clicks along.
frame=3
caption=20

# Clicks at dialog-unit position X,Y of a dialog of WIDTH x HEIGHT dialog units.
click_dialog() {
  local id=$1 x=$2 y=$3 dw=$4 dh=$5 WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
  xdotool mousemove --window "$id" $((frame + x * (WIDTH - 2 * frame) / dw)) \
    $((frame + caption + y * (HEIGHT - 2 * frame - caption) / dh)) click 1
}

# The main window's title with the stand-in library loaded (message boxes keep "VelPanel").
main_title='VelPanel - simulated panels'

# The main window (305 x 148 dialog units): its panel buttons' centres.
open_panel() {
  local main
  main=$(find_window "$main_title")
  case "$1" in
    jog) click_dialog "$main" 69 43 305 148 ;;
    audio) click_dialog "$main" 69 65 305 148 ;;
    trackball) click_dialog "$main" 69 87 305 148 ;;
    mediabar) click_dialog "$main" 69 109 305 148 ;;
  esac
}

# Closes a panel window with its close box and waits until it is gone, so that
# the main window is free again.
close_window() {
  local id=$1 WIDTH
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^WIDTH=')"
  xdotool mousemove --window "$id" $((WIDTH - 14)) 12 click 1
  for _ in $(seq 1 40); do
    xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.5
  done
  echo "screenshots.sh: window $id did not close" >&2
  return 1
}

# Saves the window alone, active, with the pointer out of the way. No time
# stamps in the file, so that a picture that did not change stays the same file.
shoot() {
  local id=$1 name=$2
  xdotool mousemove 1270 1010
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  sleep 1
  import -window "$id" "png:$out/$name.png.tmp"
  convert "$out/$name.png.tmp" -strip -define png:exclude-chunks=date,time "$out/$name.png"
  rm -f "$out/$name.png.tmp"
  echo "==> $out/$name.png"
}

# ---- the pictures -----------------------------------------------------------

# The main window, one panel at the widest versions the simulator can give (its
# builds stop at fff). Without a window manager Wine makes the main window active
# only when a window it owns hands the activation back: one is opened and closed.
shot_main() {
  open_panel jog
  close_window "$(find_window 'Jog & Shuttle Control Panel')"
  sim <<'EOF'
firmware mediabar 255 fff
driver mediabar 255 65535 255
powercycle mediabar
EOF
  sleep 2.5
  shoot "$(find_window "$main_title")" main
}

shot_jog() {
  open_panel jog
  local id
  id=$(find_window 'Jog & Shuttle Control Panel')
  sim <<'EOF'
press jog B
press jog F2
press jog PLAY
jog 40
EOF
  sleep 1
  shoot "$id" jog
  close_window "$id"
}

shot_audio() {
  open_panel audio
  local id
  id=$(find_window 'Audio Control Panel')
  sim <<'EOF'
tap audio 1_T
tap audio 3_T
tap audio 6_B
tap audio SOLO
press audio MUTE
fader 1 200
fader 3 90
fader 6 240
fader master 170
EOF
  sleep 1
  shoot "$id" audio
  close_window "$id"
}

shot_trackball() {
  open_panel trackball
  local id
  id=$(find_window 'Trackball Control Panel')
  sim <<'EOF'
press trackball A
press trackball D
press trackball ENTER
ring 30
ball 40 -25
EOF
  sleep 1
  shoot "$id" trackball
  close_window "$id"
}

shot_mediabar() {
  open_panel mediabar
  local id
  id=$(find_window 'Media Bar Control Panel')
  sim <<'EOF'
tap mediabar B
press mediabar A
knob 1 20
knob 4 -12
knob 7 35
EOF
  sleep 1
  shoot "$id" mediabar
  close_window "$id"
}

# The Copying window half way through a download into the Jog & Shuttle panel
# (a sample image takes about 3 seconds), then the result box is answered and
# the firmware left as it was by a power cycle's absence: the demo panel keeps
# its versions until the next powercycle.
shot_copying() {
  open_panel jog
  local id dialog box
  id=$(find_window 'Jog & Shuttle Control Panel')
  click_dialog "$id" 208 84 255 187  # ProgramDownLoad
  dialog=$(find_window Open)
  # The image is taken from where an installed VelPanel keeps it, typed as a
  # fixed string: the picture shows the path a user would see, the same for every
  # checkout, and no shell quoting stands between it and the dialog. The whole
  # path, as the dialog starts in the folder it was last left in.
  local folder="$WINEPREFIX/drive_c/Program Files/VelPanel/firmware"
  mkdir -p "$folder"
  cp "$dist/firmware/jog.rom" "$folder/"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool type --delay 20 'C:\Program Files\VelPanel\firmware\jog.rom'
  xdotool key Return
  sleep 1.2
  shoot "$(find_window Copying)" copying
  sleep 3
  box=$(xdotool search --onlyvisible --name '^VelPanel$' 2>/dev/null | tail -n 1)
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  sleep 1
  close_window "$id"
}

# The Trackball window's help.
shot_information() {
  open_panel trackball
  local id info
  id=$(find_window 'Trackball Control Panel')
  click_dialog "$id" 241 37 271 140  # "?"
  info=$(find_window Information)
  shoot "$info" information
  close_window "$info"
  close_window "$id"
}

# "Save Report..." in the Panel Check window $1, as build/report/$2.html. The
# operator and ticket are asked the first time of a run only.
save_report() {
  local check=$1 name=$2 ask save
  mkdir -p "$report"
  rm -f "$report/$name.html" "$report/$name.json"
  click_dialog "$check" 39 276 300 288  # Save Report...
  sleep 1
  ask=$(xdotool search --onlyvisible --name '^Service Report$' 2>/dev/null | head -n 1) || true
  if [ -n "$ask" ]; then
    xdotool windowfocus --sync "$ask" 2>/dev/null || true
    xdotool type --delay 20 "Jo Engineer"
    xdotool key Tab
    xdotool type --delay 20 "T-1234"
    xdotool key Return
  fi
  save=$(find_window 'Save As')
  xdotool windowfocus --sync "$save" 2>/dev/null || true
  xdotool type --delay 20 "Z:${report//\//\\}\\$name.html"
  xdotool key Return
  for _ in $(seq 1 20); do [ -s "$report/$name.html" ] && break; sleep 0.5; done
  [ -s "$report/$name.html" ] || { echo "screenshots.sh: no report saved" >&2; return 1; }
}

# "Panel Check..." is the last item of a panel window's system menu, which a
# right click on the caption opens under the pointer (Wine's menu: the item
# sits 170 pixels down; keys do not reach a menu opened so).
open_check() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool mousemove --window "$1" 200 $((frame + 10)) click 3
  sleep 0.7
  xdotool mousemove_relative 50 170
  sleep 0.3
  xdotool click 1
}

# The Audio window's Panel Check after "Check motors", fader 5's motor
# overshooting (a velsim fault), the list scrolled to the motors' rows.
shot_motors() {
  open_panel audio
  local id check
  id=$(find_window 'Audio Control Panel')
  sim <<<'fault motor 5 overshoot'
  open_check "$id"
  check=$(find_window 'Panel Check - Audio')
  click_dialog "$check" 39 217 300 288  # Check motors
  sleep 20
  click_dialog "$check" 150 60 300 288  # a row of the list, then its last row
  xdotool key End
  sleep 0.5
  shoot "$check" motors
  save_report "$check" motors
  close_window "$check"
  close_window "$id"
}

# The Audio window's Panel Check in the lamp walk, two lamps answered.
shot_lamps() {
  open_panel audio
  local id check
  id=$(find_window 'Audio Control Panel')
  open_check "$id"
  check=$(find_window 'Panel Check - Audio')
  click_dialog "$check" 107 217 300 288  # Check lamps
  sleep 0.5
  xdotool key y
  sleep 0.3
  xdotool key y
  sleep 0.5
  shoot "$check" lamps
  click_dialog "$check" 261 217 300 288  # Stop
  close_window "$check"
  close_window "$id"
}

# The Media Bar window's Panel Check part-way through: key A and two knobs
# checked, three knobs turned one way only, key B chattering (a velsim fault).
# Then "Save Report..." with an operator and a ticket, and the saved page as a
# browser shows it and as it prints.
shot_check() {
  open_panel mediabar
  local id check
  id=$(find_window 'Media Bar Control Panel')
  sim <<'EOF'
fault chatter mediabar B on
press mediabar A
release mediabar A
tap mediabar B
knob 1 14
knob 1 -12
knob 3 -20
knob 3 25
knob 5 8
knob 6 4
knob 8 -3
EOF
  sleep 1
  open_check "$id"
  check=$(find_window 'Panel Check - Media Bar')
  shoot "$check" check

  save_report "$check" report
  close_window "$check"
  close_window "$id"

  # Only the pictures need a browser, so CI never downloads one.
  command -v chromium >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q chromium >/dev/null
  command -v pdftoppm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q poppler-utils >/dev/null
  local browser=(chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir="$report/profile")
  "${browser[@]}" --window-size=900,1400 --screenshot="$report/screen.png" "file://$report/report.html" \
    >/dev/null 2>&1
  convert "$report/screen.png" -strip -define png:exclude-chunks=date,time "$out/report.png"
  echo "==> $out/report.png"
  "${browser[@]}" --no-pdf-header-footer --print-to-pdf="$report/report.pdf" "file://$report/report.html" \
    >/dev/null 2>&1
  pdftoppm -png -r 60 "$report/report.pdf" "$report/page"
  echo "==> $report/report.pdf, pages $report/page-*.png"
}

report=$root/build/report
rm -rf "$report"

# ---- run ----------------------------------------------------------------------

echo "==> starting VelPanel from $dist on $DISPLAY"
( cd "$dist" && exec "$vel_without_aslr" wine64 VelPanel.exe ) >/dev/null 2>&1 &
find_window "$main_title" >/dev/null
sleep 3
for s in "${shots[@]}"; do
  declare -F "shot_$s" >/dev/null || { echo "screenshots.sh: no picture \"$s\"" >&2; exit 2; }
  "shot_$s"
done
# End the program as a user would, and give it a moment to let go of its panels.
xdotool windowfocus "$(find_window "$main_title")" key Escape >/dev/null 2>&1 || true
sleep 2
