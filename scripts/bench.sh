#!/usr/bin/env bash
# Measures Scenewright's speed and memory in a Release build and prints one
# table: each figure, its goal and the ratio of the two (at most 1 meets the
# goal). Times are CPU times (user + system), the median of several runs,
# so that other work on the machine disturbs them little.
#
#   scripts/bench.sh [BUILD_FOLDER]     (default: build-release)
#
# It needs /usr/bin/time, Xvfb and xdotool for the whole-process figures.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-release}"
runs="${BENCH_RUNS:-5}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target scenewright scenewright-gen scenewright-sim scenewright_bench scenewright_sim_bench \
    scenewright_gui_bench scenewright_bench_project scenewright_bare_window >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/scenewright-bench.XXXXXX")"
xvfb_pid=""
cleanup() {
    if [[ -n "$xvfb_pid" ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

bin="$build/src"
rows=()

# Adds a row: figure, value, goal, unit; the ratio is value / goal.
row() {
    rows+=("$(awk -v f="$1" -v v="$2" -v g="$3" -v u="$4" 'BEGIN {
        printf "%s\t%.3g %s\t%.3g %s\t%.2f", f, v, u, g, u, v / g }')")
}
# As row, for a figure whose goal is a lower bound: the ratio is goal / value.
row_at_least() {
    rows+=("$(awk -v f="$1" -v v="$2" -v g="$3" -v u="$4" 'BEGIN {
        printf "%s\t%.3g %s\t>= %.3g %s\t%.2f", f, v, u, g, u, g / v }')")
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# CPU seconds and peak memory (KiB) of one whole process: "cpu kib".
measure() {
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null
    awk '{ printf "%.4f %d\n", $1 + $2, $3 }' "$work/time"
}

# The CPU seconds of the benchmark NAME in Google Benchmark's CSV output on
# standard input: its median, or its own row when it ran once. Without a
# NAME, of the one benchmark there.
csv_seconds() {
    awk -F, -v name="${1:-}" 'function seconds(s, unit) {
            if (unit == "ns") return s / 1e9
            if (unit == "us") return s / 1e6
            if (unit == "ms") return s / 1e3
            return s
        }
        NR == 1 { next }
        { row = $1; gsub(/"/, "", row) }
        name != "" && row != name && row != name "_median" { next }
        row ~ /_median$/ { median = seconds($4, $5) }
        row !~ /_(mean|median|stddev|cv)$/ { single = seconds($4, $5) }
        END { print (median != "" ? median : single) }'
}

# The median CPU seconds of the one Google Benchmark the filter selects.
benchmark_cpu() {
    local program="$1" filter="$2"
    "$program" --benchmark_filter="$filter" --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null \
        | csv_seconds
}

# ---- Projects ----
for objects in 500 1000 4000 5000 10000 40000; do
    "$build/bench/scenewright_bench_project" "$objects" "$work/scene$objects.scw"
done

# ---- Generation as a whole process ----
cpus=()
peaks=()
for ((i = 0; i < runs; ++i)); do
    read -r cpu kib < <(measure "$bin/scenewright-gen" --synchronise -o "$work/scene5000.js" "$work/scene5000.scw")
    cpus+=("$cpu")
    peaks+=("$kib")
done
script_bytes=$(stat -c %s "$work/scene5000.js")
project_bytes=$(stat -c %s "$work/scene5000.scw")
gen_cpu=$(printf '%s\n' "${cpus[@]}" | median)
gen_peak=$(printf '%s\n' "${peaks[@]}" | median)
row_at_least "gen --synchronise, 5,000 objects" "$(awk -v b="$script_bytes" -v s="$gen_cpu" 'BEGIN { print b / s / 1e6 }')" 200 "MB/s"
row "  its peak memory" "$(awk -v k="$gen_peak" 'BEGIN { print k * 1024 / 1e6 }')" \
    "$(awk -v s="$script_bytes" -v p="$project_bytes" 'BEGIN { print (s + 2 * p) / 1e6 }')" "MB"

# ---- Growth of generation ----
# The three sizes run side by side in one program, their repetitions
# interleaved in random order, so that a change in the machine's speed
# during the run falls on all of them alike. Twice the usual repetitions
# steady the ratios.
growth=$("$build/bench/scenewright_bench" --benchmark_filter='streamScript/' --benchmark_repetitions=$((2 * runs)) \
    --benchmark_enable_random_interleaving=true --benchmark_format=csv 2>/dev/null)
growth_cpu() {
    csv_seconds "streamScript/$1" <<<"$growth"
}
g500=$(growth_cpu 500)
g5000=$(growth_cpu 5000)
g40000=$(growth_cpu 40000)
row "generation 5,000 / 500 objects" "$(awk -v a="$g5000" -v b="$g500" 'BEGIN { print a / b }')" 10.5 "x"
row "generation 40,000 / 5,000 objects" "$(awk -v a="$g40000" -v b="$g5000" 'BEGIN { print a / b }')" 8.5 "x"

# ---- Project files ----
open_cpu=$(benchmark_cpu "$build/bench/scenewright_bench" "openProject$")
save_cpu=$(benchmark_cpu "$build/bench/scenewright_bench" "saveProject$")
row "open, 10,000 objects" "$(awk -v s="$open_cpu" 'BEGIN { print s * 1e3 }')" 150 "ms"
row "save, 10,000 objects" "$(awk -v s="$save_cpu" 'BEGIN { print s * 1e3 }')" 100 "ms"

# ---- The window ----
preview_cpu=$(QT_QPA_PLATFORM=offscreen benchmark_cpu "$build/bench/scenewright_gui_bench" "BM_PreviewRefreshAfterEdit$")
row "preview refresh, 1,000 models" "$(awk -v s="$preview_cpu" 'BEGIN { print s * 1e3 }')" 11 "ms"

# The start: CPU time until the window is shown, and the memory once idle.
# Xvfb takes a free display and names it once it accepts connections; it
# does not reset when its last client leaves, so the next program finds it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
until [[ -s "$work/display" ]]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "bench.sh: Xvfb did not start:" >&2
        tail -n 5 "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
display=":$(head -n 1 "$work/display")"
# "cpu wall kib" of a window program: its CPU seconds and the seconds
# until its window shows, and its memory once idle.
window_start() {
    local title="$1"
    shift
    local start
    start=$(date +%s%N)
    DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$@" >/dev/null 2>"$work/window.log" &
    local pid=$!
    until DISPLAY="$display" xdotool search --onlyvisible --pid "$pid" --name "$title" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "bench.sh: $1 ended before its window showed:" >&2
            tail -n 5 "$work/window.log" >&2
            kill "$$"
        fi
        sleep 0.002
    done
    local wall
    wall=$(awk -v s="$start" -v e="$(date +%s%N)" 'BEGIN { print (e - s) / 1e9 }')
    # Nanoseconds on a processor, of every thread.
    local cpu
    cpu=$(cat /proc/"$pid"/task/*/schedstat | awk '{ ns += $1 } END { print ns / 1e9 }')
    sleep 1
    local kib
    kib=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$cpu $wall $kib"
}
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
program_cpus=()
program_walls=()
program_kibs=()
bare_cpus=()
bare_walls=()
bare_kibs=()
# The start moves most with other work on the machine: three times the
# usual runs, the two programs in turn.
for ((i = 0; i < 3 * runs; ++i)); do
    read -r cpu wall kib < <(window_start "Bare window" "$build/bench/scenewright_bare_window")
    bare_cpus+=("$cpu")
    bare_walls+=("$wall")
    bare_kibs+=("$kib")
    read -r cpu wall kib < <(window_start "Scenewright" "$bin/scenewright")
    program_cpus+=("$cpu")
    program_walls+=("$wall")
    program_kibs+=("$kib")
done
# The program's median over the bare window's.
against_bare() {
    local -n program=$1 bare=$2
    awk -v p="$(printf '%s\n' "${program[@]}" | median)" -v b="$(printf '%s\n' "${bare[@]}" | median)" \
        'BEGIN { print p / b }'
}
row "start / bare Qt window, CPU" "$(against_bare program_cpus bare_cpus)" 1.5 "x"
row "start / bare Qt window, until shown" "$(against_bare program_walls bare_walls)" 1.5 "x"
row "idle memory / bare Qt window" "$(against_bare program_kibs bare_kibs)" 1.5 "x"

# ---- The simulated world ----
sims=()
for ((i = 0; i < runs; ++i)); do
    read -r cpu _ < <(measure "$bin/scenewright-sim" --seconds 10 "$work/scene1000.scw")
    sims+=("$cpu")
done
row "sim, 1,000 objects, 10 s" "$(printf '%s\n' "${sims[@]}" | median)" 2 "s"
load1000=$(benchmark_cpu "$build/bench/scenewright_sim_bench" "loadSimulatedWorld/1000/")
load4000=$(benchmark_cpu "$build/bench/scenewright_sim_bench" "loadSimulatedWorld/4000/")
row "sim loading, 4,000 / 1,000 objects" "$(awk -v a="$load4000" -v b="$load1000" 'BEGIN { print a / b }')" 4.4 "x"

{
    printf 'figure\tmeasured\tgoal\tratio\n'
    printf '%s\n' "${rows[@]}"
} | column -t -s $'\t'
