#!/usr/bin/env bash
# Builds the benchmarks in Release (into build-bench/, or $RIDERIDDLE_BENCH_DIR), runs them under
# a virtual X server and prints a Markdown table of the results and the machine they ran on.
#
#   bench/run.sh [--runs N] [--sessions N] [--presses N] [--verdicts N] [--offscreen] [--no-build]
#
#   --runs N      start-up runs of rideriddle and of the bare window, interleaved (default 25)
#   --sessions N  sessions, each one splash window and a series of Find presses (default 5)
#   --presses N   "invalid selection" presses per session (default 200)
#   --verdicts N  presses that end in a verdict per session, each on a fresh board (default 20)
#   --offscreen   measure everything a second time on Qt's offscreen platform
#   --no-build    use the benchmarks already built
#
# The raw samples and Qt's messages stay in <build dir>/results/<platform>/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
self="$root/bench/run.sh"

# Runs one start-up benchmark, its start time stamped the moment before exec().
launch()
{
    # shellcheck disable=SC2016 # the inner shell takes the time, the moment before it exec()s
    timeout 30 bash -c 'export RRBENCH_T0_US=${EPOCHREALTIME//[!0-9]/}; exec "$0"' "$1"
}

# Internal: the measuring part, run inside the X server (or offscreen) by the outer script.
if [[ ${1:-} == --measure ]]; then
    bin=$2 out=$3 runs=$4 sessions=$5 presses=$6 verdicts=$7
    mkdir -p "$out"
    rm -f "$out"/*.txt "$out"/*.log
    if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
        XDG_RUNTIME_DIR=$(mktemp -d)
        export XDG_RUNTIME_DIR
    fi
    # One unrecorded run of each first, so that both start with the files in the page cache.
    launch "$bin/bench_barewindow" >/dev/null 2>&1
    launch "$bin/bench_startup" >/dev/null 2>&1
    # Qt's warnings go to a log beside the samples; the log is shown when a run fails.
    for ((i = 0; i < runs; ++i)); do
        launch "$bin/bench_barewindow" >>"$out/barewindow.txt" 2>>"$out/barewindow.log" ||
            { cat "$out/barewindow.log" >&2 && exit 1; }
        launch "$bin/bench_startup" >>"$out/startup.txt" 2>>"$out/startup.log" ||
            { cat "$out/startup.log" >&2 && exit 1; }
    done
    for ((i = 0; i < sessions; ++i)); do
        timeout 300 "$bin/bench_session" --presses "$presses" --verdicts "$verdicts" \
            >>"$out/session.txt" 2>>"$out/session.log" || { cat "$out/session.log" >&2 && exit 1; }
    done
    exit 0
fi

runs=25 sessions=5 presses=200 verdicts=20 offscreen=0 build=1
while (($#)); do
    case $1 in
    --runs) runs=$2 && shift ;;
    --sessions) sessions=$2 && shift ;;
    --presses) presses=$2 && shift ;;
    --verdicts) verdicts=$2 && shift ;;
    --offscreen) offscreen=1 ;;
    --no-build) build=0 ;;
    *)
        sed -n '2,14s/^# \{0,1\}//p' "$self" >&2
        exit 2
        ;;
    esac
    shift
done

build_dir=${RIDERIDDLE_BENCH_DIR:-$root/build-bench}
bin="$build_dir/bench"

if ((build)); then
    source_dir=$root
    if ! grep -q '^ *add_subdirectory(bench)' "$root/CMakeLists.txt"; then
        # The top-level project does not take the benchmarks in: build them in a project of
        # their own over the program's folders.
        source_dir="$build_dir/project"
        mkdir -p "$source_dir"
        cat >"$source_dir/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.25)
project(rideriddle_bench LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test)
qt_standard_project_setup()
add_compile_options(-Wall -Wextra -Wpedantic)
foreach(dir assets runtime board shell bench)
    add_subdirectory("$root/\${dir}" "\${dir}")
endforeach()
EOF
    fi
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build_dir" --target bench_startup bench_barewindow bench_session \
        --parallel "$(nproc)" >/dev/null
fi

platforms=(xcb)
((offscreen)) && platforms+=(offscreen)
for platform in "${platforms[@]}"; do
    out="$build_dir/results/$platform"
    echo "measuring on $platform ..." >&2
    if [[ $platform == xcb ]]; then
        QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
            "$self" --measure "$bin" "$out" "$runs" "$sessions" "$presses" "$verdicts"
    else
        QT_QPA_PLATFORM=offscreen \
            "$self" --measure "$bin" "$out" "$runs" "$sessions" "$presses" "$verdicts"
    fi
done

# The values of key=value in a start-up file, one a line.
field()
{
    sed -n "s/.*\\b$1=\\([^ ]*\\).*/\\1/p" "$2"
}

# Reads numbers, one a line; prints "median p99 max min count".
stats()
{
    sort -g | awk '{ v[NR] = $1 }
        END {
            n = NR
            if (n == 0) { print "nan nan nan nan 0"; exit }
            med = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
            i = int(0.99 * n); if (i < 0.99 * n) i++
            print med, v[i], v[n], v[1], n
        }'
}

yesno()
{
    awk "BEGIN { print ($1) ? \"yes\" : \"**no**\" }"
}

fmt()
{
    awk -v v="$1" -v d="${2:-1}" 'BEGIN { printf "%.*f", d, v }'
}

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
mem=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[^=]*=//p' "$build_dir/CMakeCache.txt" 2>/dev/null)
compiler="$(basename "${compiler:-c++}") $("${compiler:-c++}" -dumpfullversion 2>/dev/null)"

for platform in "${platforms[@]}"; do
    out="$build_dir/results/$platform"
    bare="$out/barewindow.txt" rr="$out/startup.txt" session="$out/session.txt"
    qt=$(field qt "$rr" | head -n 1)

    read -r rr_paint _ rr_paint_max _ rr_n < <(field first_paint_ms "$rr" | stats)
    read -r bare_paint _ bare_paint_max _ bare_n < <(field first_paint_ms "$bare" | stats)
    read -r rr_frame _ _ _ _ < <(field first_frame_ms "$rr" | stats)
    read -r bare_frame _ _ _ _ < <(field first_frame_ms "$bare" | stats)
    read -r rr_rss _ rr_rss_max _ _ < <(field maxrss_kib "$rr" | stats)
    read -r bare_rss _ bare_rss_max _ _ < <(field maxrss_kib "$bare" | stats)
    read -r splash _ splash_max splash_min splash_n < <(
        awk '$1 == "splash" { print $2 }' "$session" 2>/dev/null | stats)
    read -r menu_at _ _ _ _ < <(awk '$1 == "splash" { print $3 }' "$session" 2>/dev/null | stats)
    read -r shown shown_p99 shown_max _ find_n < <(
        awk '$1 == "find" { print $4 }' "$session" 2>/dev/null | stats)
    read -r drawn drawn_p99 drawn_max _ _ < <(
        awk '$1 == "find" { print $5 }' "$session" 2>/dev/null | stats)
    read -r later later_p99 later_max _ later_n < <(
        awk '$1 == "find" && $3 > 0 { print $4 }' "$session" 2>/dev/null | stats)
    read -r busy _ busy_max _ _ < <(awk '$1 == "find" { print $6 }' "$session" 2>/dev/null | stats)
    read -r faults _ faults_max _ _ < <(awk '$1 == "find" { print $7 }' "$session" 2>/dev/null | stats)
    read -r first _ first_max _ first_n < <(
        awk '$1 == "find" && $3 == 0 { print $4 }' "$session" 2>/dev/null | stats)

    ratio=$(awk -v a="$rr_paint" -v b="$bare_paint" 'BEGIN { printf "%.2f", a / b }')
    extra=$(awk -v a="$rr_rss" -v b="$bare_rss" 'BEGIN { printf "%+.1f", (a - b) / 1024 }')
    mib() { awk -v v="$1" 'BEGIN { printf "%.1f MiB", v / 1024 }'; }

    echo
    if [[ $platform == xcb ]]; then
        echo "### X11 (Xvfb 1024x768x24, no window manager)"
    else
        echo "### Qt offscreen platform"
    fi
    echo
    echo "| measure | rideriddle | bare Qt window | target | met? |"
    echo "|---|---|---|---|---|"
    echo "| start-up to the end of the first paint, median of $rr_n / $bare_n runs" \
        "| $(fmt "$rr_paint") ms (max $(fmt "$rr_paint_max")) | $(fmt "$bare_paint") ms" \
        "(max $(fmt "$bare_paint_max")) | ≤ 1.25 × bare (ratio $ratio)" \
        "| $(yesno "$rr_paint <= 1.25 * $bare_paint") |"
    echo "| start-up to the first frame flushed, median | $(fmt "$rr_frame") ms" \
        "| $(fmt "$bare_frame") ms | – | – |"
    echo "| peak memory (ru_maxrss) at the first paint, median | $(mib "$rr_rss")" \
        "(max $(mib "$rr_rss_max")) | $(mib "$bare_rss") (max $(mib "$bare_rss_max"))" \
        "| ≤ bare + 5 MiB ($extra MiB) | $(yesno "$rr_rss - $bare_rss <= 5120") |"
    echo "| splash window, Show to unload, median / max of $splash_n" \
        "| $(fmt "$splash") / $(fmt "$splash_max") ms (min $(fmt "$splash_min")) | –" \
        "| 3000..3030 ms | $(yesno "$splash_n > 0 && $splash_min >= 3000 && $splash_max <= 3030") |"
    echo "| – of which Show to the menu's Show, median | $(fmt "$menu_at") ms | – | – | – |"
    echo "| Find click to the box's Show, median / p99 / max of $find_n" \
        "| $(fmt "$shown" 2) / $(fmt "$shown_p99" 2) / $(fmt "$shown_max" 2) ms | –" \
        "| ≤ 5 ms | $(yesno "$find_n > 0 && $shown_max <= 5") |"
    echo "| – the first press of a session, median / max of $first_n" \
        "| $(fmt "$first" 2) / $(fmt "$first_max" 2) ms | – | ≤ 5 ms" \
        "| $(yesno "$first_n > 0 && $first_max <= 5") |"
    echo "| – the later presses, median / p99 / max of $later_n" \
        "| $(fmt "$later" 2) / $(fmt "$later_p99" 2) / $(fmt "$later_max" 2) ms | – | ≤ 5 ms" \
        "| $(yesno "$later_n > 0 && $later_max <= 5") |"
    echo "| – main-thread processor time and page faults, click to Show, median / max" \
        "| $(fmt "$busy" 2) / $(fmt "$busy_max" 2) ms, $(fmt "$faults" 0) / $(fmt "$faults_max" 0)" \
        "faults | – | – | – |"
    echo "| Find click to the box drawn and flushed, median / p99 / max" \
        "| $(fmt "$drawn" 2) / $(fmt "$drawn_p99" 2) / $(fmt "$drawn_max" 2) ms | – | – | – |"
    echo
    echo "Machine: $cpu, $(nproc) cores, $mem, $(uname -sr), Qt $qt, platform $platform," \
        "$compiler, Release build."
done
