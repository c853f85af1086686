# shellcheck shell=bash
# Sourced by build.sh and test.sh: "vel_phase NAME" closes the phase that runs and
# opens the next one, "vel_phase" alone only closes it. A closed phase prints
#   ==> phase NAME: W s wall, C s cpu
# where cpu is user+sys of every child this shell waited for (compilers, linkers,
# test programs; not the detached wineserver). CPU seconds say more than wall
# seconds on a machine that others load too. With VEL_PHASE_LOG set, the line
# also goes to that file, so that test.sh can repeat every phase, build.sh's too,
# in one summary at the end (vel_phase_summary).
_vel_phase_name=""
_vel_phase_first_ms=""

_vel_phase_clock() {
    local -a stat
    read -r -a stat </proc/$$/stat
    _vel_now_ms=$(($(date +%s%N) / 1000000))
    # utime, stime, cutime, cstime: fields 14 to 17, in clock ticks.
    _vel_now_cpu_ms=$(((stat[13] + stat[14] + stat[15] + stat[16]) * 1000 / $(getconf CLK_TCK)))
}

vel_phase() {
    _vel_phase_clock
    if [ -n "$_vel_phase_name" ]; then
        local line
        line=$(printf 'phase %s: %d s wall, %d s cpu' "$_vel_phase_name" \
            $(((_vel_now_ms - _vel_phase_ms + 500) / 1000)) $(((_vel_now_cpu_ms - _vel_phase_cpu_ms + 500) / 1000)))
        printf '==> %s\n' "$line"
        if [ -n "${VEL_PHASE_LOG:-}" ]; then printf '%s\n' "$line" >>"$VEL_PHASE_LOG"; fi
    fi
    _vel_phase_name=${1:-}
    if [ -z "$_vel_phase_first_ms" ]; then
        _vel_phase_first_ms=$_vel_now_ms
        _vel_phase_first_cpu_ms=$_vel_now_cpu_ms
    fi
    _vel_phase_ms=$_vel_now_ms
    _vel_phase_cpu_ms=$_vel_now_cpu_ms
}

# Every phase of VEL_PHASE_LOG again, and the total since this shell's first phase.
vel_phase_summary() {
    _vel_phase_clock
    echo "==> timing"
    sed 's/^/    /' "$VEL_PHASE_LOG"
    printf '    total: %d s wall, %d s cpu\n' $(((_vel_now_ms - _vel_phase_first_ms + 500) / 1000)) \
        $(((_vel_now_cpu_ms - _vel_phase_first_cpu_ms + 500) / 1000))
}
