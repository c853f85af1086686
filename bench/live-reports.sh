#!/usr/bin/env bash
# Live-report benchmark: the real VelPanel.exe with the stand-in device library,
# under Wine on a virtual X display of its own, all four panel windows open side
# by side, every panel storming at 1000 reports a second for 10 seconds. Prints:
#
# - CPU: utime+stime of each Linux thread of the VelPanel process
#   (/proc/<pid>/task/<tid>/stat), of the wineserver and of Xvfb, over a window
#   inside the storm: from just after velsim has started the storms to one
#   second before they end (9 s). Resolution one clock tick (10 ms at CLK_TCK
#   100), about 0.1 % over 9 s. Wine names every thread after the program, so
#   the window thread is found by measurement beforehand: the thread that gets
#   busy while 20000 messages are sent to a panel window. The machine is shared:
#   the storm waits (up to 2 min) until other work uses less than a quarter of
#   a core, and what other work used during it is printed too.
# - reports: the library counts every report it hands to a program's sink
#   ("reports <n>" per panel in velsim's status); each panel window publishes
#   the count it has handled as the window property "VelPanel.ReportsHandled".
#   Both as differences from just before the storm; "n/a" when the windows
#   publish no count.
# - time to the final picture: the library stamps each report with
#   QueryPerformanceCounter as it hands it over ("last-report <qpc>"; under Wine
#   one monotonic 10 MHz clock for every process). From a second before the
#   storm's end VelBench.exe polls, with a 1 ms sleep between samples: the four
#   handled counts, and GetUpdateRect on every panel window and its visible
#   descendants (across processes this reads the update region Wine's server
#   keeps; "selftest" checks it). Final = every window has handled what was
#   sent and none has anything left to paint. The picture became final between
#   the last sample that was not final and the next one: both are printed, in
#   ms after the last report, so the resolution is the poll interval (printed;
#   2-4 ms on a quiet machine, the look at some 65 windows takes 1-2 ms). Not
#   included: the way from Wine's window surface to the X server's pixels.
#   Also printed: when the window thread last ran (its CPU time in
#   /proc/<pid>/task/<tid>/schedstat, read by VelBench in the same samples),
#   the only bound there is when the windows publish no count.
# - objects: GetGuiResources is a stub in Wine (0 and ERROR_CALL_NOT_IMPLEMENTED;
#   the run prints what it returns). Printed instead: GDI objects counted in the
#   process's own GDI handle table, which Wine keeps inside the process where
#   the PEB points (read with ReadProcessMemory; "selftest" checks that 64
#   brushes made and deleted show as +64 and back), USER objects as the
#   process's windows (menus, cursors, icons cannot be counted from outside),
#   and the resident memory (VmRSS). Before the storm, after it, and with --soak
#   after each of five more storms of 2 minutes at the same rate.
#
# Usage: bench/live-reports.sh [--arch win64|win32] [--soak] [--program FILE] [--no-wait]
#   --arch ARCH      the build to measure: win64 (the default) or win32, the one
#                    the field runs beside the maker's 32-bit library
#   --program FILE   run this VelPanel.exe instead of the one built from the tree
#                    (the library, velsim and VelBench are always built fresh)
#   --no-wait        storm at once, however busy the machine is
# Builds what it needs in build/ARCH (./build.sh first if there is none) and
# runs a copy of the runnable folder staged in build/ARCH/bench/run, so that a
# build started meanwhile cannot swap files under a run; a Wine prefix of its
# own (build/ARCH/bench/wineprefix), its own control channel. The samples of
# the last poll go to build/ARCH/bench/settle-samples.txt. Leaves nothing running.
set -euo pipefail
started=$(date +%s)

soak=0
arch=win64
program=""
wait_quiet=1
while [ $# -gt 0 ]; do
  case "$1" in
    --soak) soak=1 ;;
    --arch) arch=$2; shift ;;
    --program) program=$(realpath "$2"); shift ;;
    --no-wait) wait_quiet=0 ;;
    *) echo "live-reports.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
cd "$(dirname "$0")/.."
root=$PWD

rate=1000            # reports a second, each panel
seconds=10           # length of the measured storm
soak_round=120       # the library's longest storm; five of them make the soak
soak_rounds=5
panels="jog audio trackball mediabar"
width=1600 height=1200  # room for the four panel windows side by side
quiet=25             # % of one core other work may use when the storm starts

say() { printf '==> %s\n' "$*" >&2; }
die() { printf 'live-reports.sh: %s\n' "$*" >&2; exit 1; }

# ---- build and stage
case "$arch" in
  win64) loader=wine64 cpu=x86_64 ;;
  win32) loader=wine cpu=i686 ;;
  *) die "--arch must be win64 or win32" ;;
esac
build=$root/build/$arch
out=$build/bench
mkdir -p "$out"
# One run at a time: runs share the prefix and the staged folder.
exec 9>"$out/run.lock"
flock -n 9 || die "another run of this benchmark is going on"
if [ ! -f "$build/CMakeCache.txt" ]; then
  say "no Windows build yet: ./build.sh --no-tests"
  flock /tmp/vel-host.lock flock /tmp/vel-build.lock ./build.sh --no-tests
fi
targets="TqDvManager velsim VelBench"
[ -n "$program" ] || targets="VelPanel $targets"
say "building $targets"
# shellcheck disable=SC2086
flock /tmp/vel-build.lock cmake --build "$build" -j2 --target $targets >"$out/build.log" 2>&1 \
  || { tail -20 "$out/build.log" >&2; die "build failed (log: $out/build.log)"; }

run=$out/run
rm -rf "$run"; mkdir -p "$run"
cp "${program:-$build/app/VelPanel.exe}" "$run/VelPanel.exe"
cp "$build/simulator/TqDvManager.dll" "$build/simulator/velsim.exe" "$build/bench/VelBench.exe" "$run/"
for f in help/Vel*.txt; do [ -e "$f" ] && cp "$f" "$run/"; done
# As build.sh ships them.
for f in VelPanel.exe TqDvManager.dll velsim.exe; do "$cpu-w64-mingw32-strip" --strip-debug "$run/$f"; done

# ---- display, Wine, program
tmp=$(mktemp -d /tmp/vel-bench.XXXXXX)
xvfb="" app="" helper_up=0
cleanup() {
  set +e
  if [ "$helper_up" = 1 ]; then { printf 'quit\n' >&"${BENCH[1]}"; } 2>/dev/null; fi
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k </dev/null >/dev/null 2>&1; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || die "Xvfb did not start"
DISPLAY=:$(head -n1 "$tmp/display")
export DISPLAY

export VEL_WINEPREFIX=$out/wineprefix VEL_WINE_HEADLESS=0
export VELPANELSIM_PIPE=VelPanelSim-bench-$$
# shellcheck source=/dev/null
source tools/wine-env.sh
say "Wine prefix $WINEPREFIX on display $DISPLAY"
mkdir -p "$WINEPREFIX"
# One virtual desktop for every process of the prefix, as run.sh has on a bare
# X server: VelPanel and VelBench must see each other's windows. Set before
# vel_wine_start restarts the prefix, so that its desktop has this size.
wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${width}x${height}" /f </dev/null >/dev/null 2>&1
vel_wine_start

read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
server_dir=$(printf 'server-%x-%x' "$dev" "$ino")
wineserver_pid=""
for p in $(pgrep -x wineserver64) $(pgrep -x wineserver); do
  case "$(readlink "/proc/$p/cwd")" in */"$server_dir") wineserver_pid=$p ;; esac
done
[ -n "$wineserver_pid" ] || die "cannot find the wineserver of $WINEPREFIX"

( cd "$run" && exec $loader VelPanel.exe ) >"$tmp/velpanel.log" 2>&1 </dev/null &
app=$!

coproc BENCH { cd "$run" && exec $loader VelBench.exe 2>"$tmp/velbench.err"; }
helper_up=1
# ask COMMAND TIMEOUT: one answer line from VelBench.
ask() {
  local line
  printf '%s\n' "$1" >&"${BENCH[1]}"
  IFS= read -r -t "$2" line <&"${BENCH[0]}" || die "VelBench gave no answer to '$1' within $2 s"
  line=${line%$'\r'}
  case "$line" in ok*) printf '%s\n' "$line" ;; *) die "VelBench: $1: $line" ;; esac
}
# field NAME LINE: the value of NAME=value in an answer.
field() { local v; v=$(printf '%s\n' "$2" | tr ' ' '\n' | sed -n "s/^$1=//p" | head -n1); printf '%s' "${v:-n/a}"; }

selftest=$(ask selftest 60)
ask "find 60" 70 >/dev/null
[ "$(cat "/proc/$app/comm" 2>/dev/null)" = VelPanel.exe ] || die "process $app is not VelPanel.exe"
opened=$(ask "open 30" 40)
[ "$(field all-visible "$opened")" = yes ] || say "the panel windows overlap: the screen is too small"
sleep 2

# ---- CPU bookkeeping
tck=$(getconf CLK_TCK)
ticks() { sed 's/^.*) //' "$1" | awk '{print $12 + $13}'; }
# snapshot FILE: wall time, then "name ticks" lines.
snapshot() {
  {
    date +%s.%N
    for t in /proc/"$app"/task/*; do echo "tid${t##*/} $(ticks "$t/stat" 2>/dev/null || echo 0)"; done
    echo "app $(ticks "/proc/$app/stat")"
    echo "wineserver $(ticks "/proc/$wineserver_pid/stat")"
    echo "xvfb $(ticks "/proc/$xvfb/stat")"
    awk '$1 == "cpu" {all = 0; for (i = 2; i <= NF; ++i) all += $i; print "busy " all - $5 - $6}' /proc/stat
  } >"$1"
}
# delta A B NAME: ticks of NAME between two snapshots.
delta() { awk -v n="$3" 'FNR == 1 {next} $1 == n {v[FILENAME] = $2} END {print v[ARGV[2]] - v[ARGV[1]]}' "$1" "$2"; }
wall() { awk -v a="$(head -n1 "$1")" -v b="$(head -n1 "$2")" 'BEGIN {print b - a}'; }
percent() { awk -v t="$1" -v s="$2" -v k="$tck" 'BEGIN {printf "%.1f", 100 * t / k / s}'; }
busiest() {  # busiest A B [EXCEPT]: the thread with the most ticks between the snapshots
  awk -v skip="${3:-}" 'FNR == 1 {next} $1 ~ /^tid/ {if (FILENAME == ARGV[1]) a[$1] = $2; else d[$1] = $2 - a[$1]}
       END {best = ""; for (k in d) if (k != skip && (best == "" || d[k] > d[best])) best = k; print best}' "$1" "$2"
}
rss() { awk '/^VmRSS/ {print $2 " kB"}' "/proc/$app/status"; }

snapshot "$tmp/p0"
ask "probe 20000" 120 >/dev/null
snapshot "$tmp/p1"
window=$(busiest "$tmp/p0" "$tmp/p1")
[ -n "$window" ] || die "cannot tell the window thread"
ask "thread $app ${window#tid}" 30 >/dev/null

objects_line() {  # objects_line LABEL ANSWER
  local gui
  gui="GetGuiResources: GDI $(field gui-gdi "$2"), USER $(field gui-user "$2")"
  case "$(field gui-gdi-error "$2")" in
    0) ;;
    120) gui+=" (ERROR_CALL_NOT_IMPLEMENTED)" ;;
    *) gui+=" (error $(field gui-gdi-error "$2"))" ;;
  esac
  printf '  %-18s GDI %s   USER (windows) %s   VmRSS %s   %s\n' "$1" "$(field gdi-table "$2")" \
    "$(field windows "$2")" "$(rss)" "$gui"
}
storm() {  # storm SECONDS: all four panels at the rate, through velsim
  local cmds="" p
  for p in $panels; do cmds+="storm $p $rate $1"$'\n'; done
  ( cd "$run" && printf '%s' "$cmds" | $loader velsim.exe - ) >"$tmp/velsim.out" 2>&1 \
    || { cat "$tmp/velsim.out" >&2; die "velsim could not start the storms"; }
}

# others_load A B: % of one core that everything but this run used between two snapshots.
others_load() {
  local ours=$(( $(delta "$1" "$2" app) + $(delta "$1" "$2" wineserver) + $(delta "$1" "$2" xvfb) ))
  local others=$(( $(delta "$1" "$2" busy) - ours ))
  # The machine-wide and per-process counts are rounded apart: a few ticks below 0 mean none.
  percent $(( others > 0 ? others : 0 )) "$(wall "$1" "$2")"
}
# The machine is shared: give other work up to two minutes to calm down.
# quiet_wait SECONDS
quiet_wait() {
  local waited load
  for waited in $(seq 0 "$1"); do
    snapshot "$tmp/q0"; sleep 1; snapshot "$tmp/q1"
    load=$(others_load "$tmp/q0" "$tmp/q1")
    awk -v l="$load" -v q="$quiet" 'BEGIN {exit !(l < q)}' && return 0
    [ "$waited" != 0 ] || say "other work uses $load % of a core: waiting up to $1 s for less than $quiet %"
  done
  say "other work still uses $load % of a core: storming anyway"
}
[ "$wait_quiet" = 0 ] || quiet_wait 120

objects_before=$(ask objects 30)
ask mark 30 >/dev/null

# ---- the storm
say "storming $panels at $rate reports/s each for $seconds s"
storm "$seconds"
snapshot "$tmp/s0"
sleep $((seconds - 1))
snapshot "$tmp/s1"
settled=$(ask "settle 60 Z:$out/settle-samples.txt" 90)
objects_after=$(ask objects 30)

span=$(wall "$tmp/s0" "$tmp/s1")
other=$(busiest "$tmp/s0" "$tmp/s1" "$window")

echo
echo "VelPanel live reports: $panels at $rate reports/s each for $seconds s (${program:-$build/app/VelPanel.exe})"
echo "CPU over $(printf '%.1f' "$span") s inside the storm (% of one core; tick $((1000 / tck)) ms):"
printf '  window thread (%s)       %6s %%\n' "${window#tid}" "$(percent "$(delta "$tmp/s0" "$tmp/s1" "$window")" "$span")"
printf '  busiest other thread (%s) %5s %%   (likely the library'"'"'s delivery thread)\n' "${other#tid}" \
  "$(percent "$(delta "$tmp/s0" "$tmp/s1" "$other")" "$span")"
printf '  VelPanel, all threads   %6s %%\n' "$(percent "$(delta "$tmp/s0" "$tmp/s1" app)" "$span")"
printf '  wineserver              %6s %%\n' "$(percent "$(delta "$tmp/s0" "$tmp/s1" wineserver)" "$span")"
printf '  Xvfb                    %6s %%\n' "$(percent "$(delta "$tmp/s0" "$tmp/s1" xvfb)" "$span")"
printf '  everything else         %6s %%   (other work on this %s-core machine skews the figures)\n' \
  "$(others_load "$tmp/s0" "$tmp/s1")" "$(nproc)"
echo "Reports (sent by the library / handled by the window):"
for p in $panels; do
  printf '  %-10s %8s / %s\n' "$p" "$(field "$p-sent" "$settled")" "$(field "$p-handled" "$settled")"
done
if [ "$(field "jog-handled" "$settled")" = n/a ]; then
  echo "  (n/a: the panel windows publish no \"VelPanel.ReportsHandled\" count)"
fi
echo "Final picture after the last report (polled every $(field poll-ms "$settled") ms over" \
     "$(field polled-windows "$settled") windows):"
if [ "$(field latency-ms "$settled")" != n/a ]; then
  printf '  %s ms (between %s and %s ms)\n' "$(field latency-ms "$settled")" \
    "$(field latency-after-ms "$settled")" "$(field latency-ms "$settled")"
  [ "$(field jog-handled "$settled")" != n/a ] \
    || echo "  (update regions only: without handled counts, reports still queued are not seen)"
elif [ "$(field latency "$settled")" = before-polling ]; then
  echo "  n/a: no handled counts, and no window had an update region left at any sample (painting happens"
  echo "  inside report handling, or within one poll); the window thread's last run below is the bound"
else
  echo "  not reached within 60 s: storm over: $(field storm-over "$settled"), final: $(field final "$settled")," \
       "still to paint: $(field dirty "$settled")"
fi
printf '  window thread last ran %s ms after it (between %s and %s ms)\n' "$(field busy-until-ms "$settled")" \
  "$(field busy-after-ms "$settled")" "$(field busy-until-ms "$settled")"
echo "Objects of the VelPanel process:"
objects_line "before the storm" "$objects_before"
objects_line "after the storm" "$objects_after"

if [ "$soak" = 1 ]; then
  say "soak: $soak_rounds storms of $soak_round s at the same rate"
  for round in $(seq 1 "$soak_rounds"); do
    storm "$soak_round"
    sleep $((soak_round - 1))
    soaked=$(ask "settle 60" 90)
    objects_line "soak $((round * soak_round / 60)) min" "$(ask objects 30)"
  done
  echo "Reports over the whole run (sent / handled):"
  for p in $panels; do
    printf '  %-10s %8s / %s\n' "$p" "$(field "$p-sent" "$soaked")" "$(field "$p-handled" "$soaked")"
  done
fi

closed=$(ask "close 20" 30)
echo "VelPanel closed with WM_CLOSE (exit code $(field exit-code "$closed")); run took $(( $(date +%s) - started )) s"
IFS=/ read -r made seen left <<<"$(field gdi-table-brushes "$selftest")"
echo "Checks of the look-ups above, on a window of a child process of VelBench:"
echo "  GDI table: $made brushes made show as +$seen, deleted as +$left; update region seen:" \
     "$(field dirty-seen "$selftest"), gone after painting: $(field clean-after-paint "$selftest");" \
     "property read: $(field prop-value "$selftest"), listed: $(field prop-listed "$selftest")"
