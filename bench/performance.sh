#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The performance table: builds what it needs, measures Brivane and a bare Qt
# Quick window of the same size and flags (software scene graph) inside a
# private desktop session, writes docs/performance.md and prints it.
#   bench/performance.sh [--quick]
# The full run takes about 20 minutes (60 s CPU periods, 1,000 expand and
# collapse cycles); --quick shortens both for a smoke run of about 3 minutes.
# Figures are measurements, not pass/fail checks: the last column compares
# them with the targets.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BRIVANE_BUILD_DIR:-$root/build}"
quick=0
case "${1:-}" in
    --quick) quick=1 ;;
    "") ;;
    *) echo "usage: $0 [--quick]" >&2; exit 2 ;;
esac

if [ -z "${BRIVANE_SESSION_DIR:-}" ]; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
    [ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ninja -j2 -C "$build" brivane bare_window bench_media bench_media_player bench_stats_refresh notch_cycles
    export BRIVANE_BUILD_DIR="$build"
    exec "$root/tests/integration/with-session.sh" "$0" "$@"
fi

if [ $quick = 1 ]; then
    period=10 cycles=50 launches=3 ticks=50
else
    period=60 cycles=1000 launches=5 ticks=200
fi
brivane="$build/src/brivane"
bare="$build/bench/bare_window"
work="$BRIVANE_SESSION_DIR/perf"
shots="$BRIVANE_ARTIFACTS"
mkdir -p "$work"
clk=$(getconf CLK_TCK)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started=$SECONDS

cleanup() {
    local pid
    for pid in $(jobs -p); do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
}
trap cleanup EXIT

log() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*" >&2; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
mb() { awk -v k="$1" 'BEGIN {printf "%.1f MB", k / 1024}'; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# launch <program> [args]: starts the program reporting its first frame and
# sets LAUNCH_PID and LAUNCH_MS (from exec to the first frame on screen). Its
# output goes to a pipe this shell keeps open, so later output never breaks it.
launch() {
    local fifo="$work/first-frame.$RANDOM" line="" start
    mkfifo "$fifo"
    exec {LAUNCH_FD}<>"$fifo"
    rm -f "$fifo"
    start=$(now_ms)
    BRIVANE_REPORT_FIRST_FRAME=1 QT_QUICK_BACKEND=software "$@" >&"$LAUNCH_FD" 2>>"$work/programs.log" &
    LAUNCH_PID=$!
    read -r -t 30 -u "$LAUNCH_FD" line || true
    LAUNCH_MS=$(($(now_ms) - start))
    [ "$line" = first-frame ] || { echo "no first frame from $1" >&2; exit 1; }
}

stop() {
    kill -TERM "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# cpu_percent <seconds> <pid>...: whole-process CPU (all threads, user and
# system) of each pid over the same period, in percent of one core.
cpu_percent() {
    local seconds=$1 pid; shift
    local before=()
    for pid in "$@"; do before+=("$(cpu_ticks "$pid")"); done
    sleep "$seconds"
    local i=0
    for pid in "$@"; do
        awk -v d=$(($(cpu_ticks "$pid") - before[i])) -v t="$clk" -v s="$seconds" \
            'BEGIN {printf "%.3f%%\n", 100 * d / t / s}'
        i=$((i + 1))
    done
}

# The bottom edge of the window's bounding shape: the frame the user sees.
shape_bottom() {
    xwininfo -shape -id "$win" |
        awk '/Window shape extents:/ {split($4, g, /[x+]/); print g[2] + g[4]}'
}
# wait_shape <height>...: until the shape's bottom is one of them.
wait_shape() {
    local deadline=$((SECONDS + 10))
    until [[ " $* " == *" $(shape_bottom) "* ]]; do
        [ $SECONDS -lt $deadline ] || { echo "the card never reached height $*" >&2; exit 1; }
        sleep 0.05
    done
}
expand() { xdotool mousemove 756 10; wait_shape 520; xdotool mousemove 756 300; }
# Where nothing composites, the collapsed strip is shaped to nothing.
collapse() { xdotool mousemove 756 800; wait_shape 32 0; }
tab_x() { awk -v i="$1" 'BEGIN {printf "%d", 566 + 4 + (372 / 7) * (i + 0.5)}'; }

verdict() { if awk "BEGIN {exit !($1)}"; then echo met; else echo "**not met**"; fi; }

xdotool mousemove 100 900

# UI-thread costs first, while no other player is on the bus.
log "media tick ($ticks ticks) and stats refresh"
media_line=$("$build/bench/bench_media" "$ticks" 2>>"$work/programs.log" | tail -n1)
media_us=$(sed -n 's/.*median \([0-9]*\) us.*/\1/p' <<<"$media_line")
stats_out=$("$build/bench/bench_stats_refresh")
stats_us=$(awk '/^refresh\(\) +median/ {print $3}' <<<"$stats_out")
stats_row_us=$(awk '/^refresh\(\) changing a row/ {print $6}' <<<"$stats_out")

# Time to first frame: alternating launches, median of each. The last
# launch of each stays up for the memory and idle figures.
log "first frames ($launches launches each)"
bare_ms=() brivane_ms=() qml_ms=()
for ((n = 1; n <= launches; n++)); do
    launch "$bare" 380 520; bare_ms+=("$LAUNCH_MS")
    if [ $n -lt "$launches" ]; then stop "$LAUNCH_PID"; exec {LAUNCH_FD}>&-; else bare_pid=$LAUNCH_PID; fi
    launch "$bare" 380 520 --qml; qml_ms+=("$LAUNCH_MS")
    if [ $n -lt "$launches" ]; then stop "$LAUNCH_PID"; exec {LAUNCH_FD}>&-; else qml_pid=$LAUNCH_PID; fi
    launch "$brivane"; brivane_ms+=("$LAUNCH_MS")
    if [ $n -lt "$launches" ]; then stop "$LAUNCH_PID"; exec {LAUNCH_FD}>&-; else pid=$LAUNCH_PID; fi
done
bare_first=$(printf '%s\n' "${bare_ms[@]}" | median)
brivane_first=$(printf '%s\n' "${brivane_ms[@]}" | median)
qml_first=$(printf '%s\n' "${qml_ms[@]}" | median)
win=$(xdotool search --onlyvisible --name '^Brivane$' | head -n1)
[ -n "$win" ] || { echo "no Brivane window" >&2; exit 1; }

sleep 5 # start-up work settles
bare_rss=$(rss_kb "$bare_pid")
qml_rss=$(rss_kb "$qml_pid")
stop "$qml_pid"
launch "$bare" 380 520 --qml=controls
sleep 3
controls_rss=$(rss_kb "$LAUNCH_PID")
stop "$LAUNCH_PID"
rss_collapsed=$(rss_kb "$pid")

log "collapsed idle, $period s (Brivane and the bare window together)"
{ read -r cpu_idle; read -r bare_cpu; } < <(cpu_percent "$period" "$pid" "$bare_pid")
stop "$bare_pid"

log "visiting every tab"
expand
for i in 0 1 2 3 4 5 6; do
    xdotool mousemove "$(tab_x $i)" 461 click 1
    sleep 1.5
    xdotool mousemove 756 300
    import -window root -crop 380x520+566+0 "$shots/perf-tab-$i.png"
done
rss_expanded=$(rss_kb "$pid")
collapse
sleep 5
rss_tabs=$(rss_kb "$pid")

log "collapsed idle after the tabs, $period s"
cpu_idle_tabs=$(cpu_percent "$period" "$pid")

log "collapsed with a player playing, $period s"
sox -n -r 44100 -c 2 --comment "TITLE=Benchmark Tone" --add-comment "ARTIST=Brivane" \
    "$work/tone.ogg" synth 30 sine 440 vol 0.05
mpv --no-config --no-video --really-quiet --ao=pulse --loop-file=inf \
    --script=/usr/lib/mpv-mpris/mpris.so "$work/tone.ogg" >>"$work/programs.log" 2>&1 &
mpv_pid=$!
deadline=$((SECONDS + 20))
until [ "$(playerctl status 2>/dev/null)" = Playing ]; do
    [ $SECONDS -lt $deadline ] || { echo "mpv never played" >&2; exit 1; }
    sleep 0.2
done
sleep 5 # Brivane's polls find the player
cpu_playing=$(cpu_percent "$period" "$pid")

log "collapsed with a player whose title is 1 MB, $period s"
# Alone on the bus but for a paused mpv, so the figure is that player's.
playerctl -p mpv pause
"$build/bench/bench_media_player" --name big --title "Long title " --title-size 1048576 \
    --status Paused --announce >>"$work/programs.log" 2>&1 &
big_pid=$!
sleep 5 # Brivane's polls find the player
cpu_big=$(cpu_percent "$period" "$pid")
stop "$big_pid"
playerctl -p mpv play
sleep 3

log "expanded on the Now tab while playing, $period s"
expand
xdotool mousemove "$(tab_x 0)" 461 click 1
xdotool mousemove 700 200
sleep 2
import -window root -crop 380x520+566+0 "$shots/perf-now-playing.png"
cpu_expanded=$(cpu_percent "$period" "$pid")
rss_now=$(rss_kb "$pid")
collapse
sleep 2

log "the bare window redrawing a 98x20 area at 20 Hz, $period s"
launch "$bare" 380 520 --animate
sleep 2
bare_animated=$(cpu_percent "$period" "$LAUNCH_PID")
stop "$LAUNCH_PID"
exec {LAUNCH_FD}>&-
log "the same over one of each control the card uses, $period s"
launch "$bare" 380 520 --qml=controls --animate
sleep 2
controls_animated=$(cpu_percent "$period" "$LAUNCH_PID")
stop "$LAUNCH_PID"
exec {LAUNCH_FD}>&-

log "$cycles expand and collapse cycles"
"$build/bench/notch_cycles" "$win" "$pid" 10 10 0 >/dev/null
sleep 3
rss_10=$(rss_kb "$pid")
cycle_log=$("$build/bench/notch_cycles" "$win" "$pid" $((cycles - 10)) $((cycles / 5)) 10)
sleep 3
rss_n=$(rss_kb "$pid")
cycle_seconds=$(awk 'END {print $6}' <<<"$cycle_log")
trend=$(awk '{printf "%s%d: %.1f", (NR > 1 ? ", " : ""), $2, $4 / 1024}' <<<"$cycle_log")

log "collapsed with the strip's activity on, playing, $period s (beside the bare window animating the meter's area)"
stop "$pid"
exec {LAUNCH_FD}>&-
prefs="$XDG_CONFIG_HOME/brivane/preferences.json"
mkdir -p "$(dirname "$prefs")"
python3 - "$prefs" <<'PY'
import json, os, sys
path = sys.argv[1]
prefs = json.load(open(path)) if os.path.exists(path) else {}
prefs["brivane_show_activity"] = "true"
json.dump(prefs, open(path, "w"))
PY
launch "$brivane"; pid=$LAUNCH_PID
launch "$bare" 380 32 --animate=33x14@10; bare_pid=$LAUNCH_PID
sleep 5 # the player is found and the strip drawn
import -window root -crop 400x40+556+0 "$shots/perf-strip-activity.png"
{ read -r cpu_activity; read -r bare_strip; } < <(cpu_percent "$period" "$pid" "$bare_pid")
stop "$bare_pid"

stop "$mpv_pid"
stop "$pid"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
elapsed=$((SECONDS - started))

# The table.
growth_kb=$((rss_n - rss_10))
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b == 0) printf "n/a"; else printf "%.2f", a / b}'; }
pct_num() { tr -d '%' <<<"$1"; }
out="$root/docs/performance.md"
[ $quick = 1 ] && out="$BRIVANE_ARTIFACTS/performance-quick.md"
{
    echo "# Performance"
    echo
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores of $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)," \
         "$(awk '/^MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo) RAM, Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)," \
         "software scene graph, a private Xvfb ${BRIVANE_SCREEN_W}x${BRIVANE_SCREEN_H} session with openbox (no compositor)."
    echo "Command: \`bench/performance.sh$([ $quick = 1 ] && echo ' --quick')\` (${elapsed} s)." \
         "Load average before and after: $load_before / $load_after."
    echo
    echo "The bare window is a frameless Qt Quick window of the card's size (380x520) with the strip's window flags and nothing in it: the floor any Qt Quick program pays here. It runs in the same session, alternating with Brivane for the launches and side by side for the idle period. The floor rows compare Brivane with the same window whose content a QML engine makes (an empty Item, or one of each control the card uses): what any QML program pays before its own work."
    echo
    echo "| Measure | Brivane | Bare window | Target | |"
    echo "|---|---|---|---|---|"
    echo "| Time to first frame (median of $launches launches) | ${brivane_first} ms | ${bare_first} ms | at most 1.5 × bare ($(ratio "$brivane_first" "$bare_first") ×) | $(verdict "$brivane_first <= 1.5 * $bare_first") |"
    echo "| Resident memory, collapsed | $(mb "$rss_collapsed") | $(mb "$bare_rss") | at most 1.4 × bare ($(ratio "$rss_collapsed" "$bare_rss") ×) | $(verdict "$rss_collapsed <= 1.4 * $bare_rss") |"
    echo "| Resident memory, expanded on the last tab (Stats) after visiting every tab | $(mb "$rss_expanded") | | | |"
    echo "| Resident memory, collapsed after visiting every tab | $(mb "$rss_tabs") | $(mb "$bare_rss") | at most 1.8 × bare ($(ratio "$rss_tabs" "$bare_rss") ×) | $(verdict "$rss_tabs <= 1.8 * $bare_rss") |"
    echo "| Floor: time to first frame, the bare window's content made by a QML engine (\`--qml\`) | ${brivane_first} ms | ${qml_first} ms | | $(ratio "$brivane_first" "$qml_first") × |"
    echo "| Floor: resident memory, collapsed, against the same | $(mb "$rss_collapsed") | $(mb "$qml_rss") | | $(ratio "$rss_collapsed" "$qml_rss") × |"
    echo "| Floor: resident memory after every tab, against the same with one of each control the card uses (\`--qml=controls\`) | $(mb "$rss_tabs") | $(mb "$controls_rss") | | $(ratio "$rss_tabs" "$controls_rss") × |"
    echo "| CPU, ${period} s collapsed idle | $cpu_idle | $bare_cpu | under 0.1% | $(verdict "$(pct_num "$cpu_idle") < 0.1") |"
    echo "| CPU, ${period} s collapsed idle after visiting every tab | $cpu_idle_tabs | | under 0.1% | $(verdict "$(pct_num "$cpu_idle_tabs") < 0.1") |"
    echo "| CPU, ${period} s collapsed, a player playing | $cpu_playing | | under 0.2% | $(verdict "$(pct_num "$cpu_playing") < 0.2") |"
    echo "| CPU, ${period} s collapsed, a paused player with a 1 MB title that announces its changes | $cpu_big | | at most 0.05% | $(verdict "$(pct_num "$cpu_big") <= 0.05") |"
    echo "| CPU, ${period} s expanded on the Now tab, playing (the bare window redrawing one 98x20 rectangle at 20 Hz beside it) | $cpu_expanded | $bare_animated | at most 1.5 × bare | $(verdict "$(pct_num "$cpu_expanded") <= 1.5 * $(pct_num "$bare_animated")") |"
    echo "| Floor: CPU, ${period} s expanded on the Now tab, playing, against the same rectangle redrawn over one of each control the card uses | $cpu_expanded | $controls_animated | | $(ratio "$(pct_num "$cpu_expanded")" "$(pct_num "$controls_animated")") × |"
    echo "| CPU, ${period} s collapsed with \"Show activity in the strip\" on, a player playing (the bare window redrawing a 33x14 rectangle at 10 Hz beside it) | $cpu_activity | $bare_strip | at most 1.5 × bare | $(verdict "$(pct_num "$cpu_activity") <= 1.5 * $(pct_num "$bare_strip")") |"
    echo "| Resident memory, expanded on the Now tab, playing | $(mb "$rss_now") | | | |"
    echo "| UI-thread cost of a media poll tick, 3 players (median of $ticks) | ${media_us} µs | | | |"
    echo "| UI-thread cost of a stats refresh (median of 1,000; changing a row) | ${stats_us} µs (${stats_row_us} µs) | | | |"
    echo "| Resident memory after 10 expand and collapse cycles | $(mb "$rss_10") | | | |"
    echo "| Resident memory after $cycles cycles | $(mb "$rss_n") ($(awk -v g="$growth_kb" 'BEGIN {printf "%+.1f MB", g / 1024}')) | | no growth beyond noise (2 MB) | $(verdict "$growth_kb <= 2048") |"
    echo
    echo "CPU is user plus system time of all the process's threads from /proc (10 ms resolution), in percent of one core. Resident memory is VmRSS. The cycles move the pointer in and out with XWarpPointer and wait for each transition on the window's bounding shape (ShapeNotify, bench/notch_cycles.cpp); they ran on the Now tab with the player playing and took ${cycle_seconds} s for $((cycles - 10)) cycles. Resident memory (MB) by cycle: ${trend}."
    if awk -v b="$load_before" -v a="$load_after" -v n="$(nproc)" \
        'BEGIN {split(b, x, " "); split(a, y, " "); exit !(x[1] > n || x[2] > n || y[1] > n || y[2] > n)}'; then
        echo
        echo "The machine was shared and busy during this run (load average above its $(nproc) cores), so the timings (first frame, UI-thread costs, cycle duration) are noisy and vary between runs by tens of percent; CPU time and resident memory are counted per process and are much less affected."
    fi
    echo
    echo "Media tick: ${media_line}"
} >"$out"
cat "$out"
log "done; screenshots in $shots"
