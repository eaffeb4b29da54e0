#!/usr/bin/env bash
# Start-up to first paint, and peak memory, of the calculator against a minimal Qt Widgets
# program (a window of the same size whose list box shows one line of text), both run the same
# way as whole processes on a private Xvfb display.
#   bench/run_startup_bench.sh [BIN_DIR [RUNS [OTHER_BUILD...]]]
# BIN_DIR holds ferrolux, minimal-window, first-paint-probe and the pictures (default
# build/bin); RUNS is the number of measured runs per program (default 40). Each OTHER_BUILD is
# another build of the calculator (say, from before a change), named by its file name; it is
# measured in the same rounds, from a program folder of its own, so that builds are compared
# side by side. With STARTUP_BENCH_RESULTS set to a folder, each program's raw measurements
# (one line per run, in round order) are copied there as NAME.txt.
#
# Both programs are copied into one scratch folder, so the calculator runs in a program folder
# of its own; a few unmeasured warm-up runs come first (they also perform the calculator's
# first-start seeding, so every measured run is an ordinary start on the worked example). The
# measured runs rotate between the programs, so that a change in the machine's load hits
# all alike. first-paint-probe measures each run: see bench/first_paint_probe.cpp. A ratio is
# taken per round (the calculator's run over the yardstick's run of the same round), and the
# median of those ratios is shown with their 10th and 90th percentiles.
set -euo pipefail

bin_dir=${1:-build/bin}
runs=${2:-40}
shift $(($# < 2 ? $# : 2))
others=("$@")
warmups=3
for program in ferrolux minimal-window first-paint-probe; do
    if [ ! -x "$bin_dir/$program" ]; then
        echo "missing $bin_dir/$program: build the release preset first" >&2
        exit 2
    fi
done
command -v Xvfb >/dev/null || { echo "Xvfb is not installed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ferrolux-startup.XXXXXX")
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cp "$bin_dir/ferrolux" "$bin_dir/minimal-window" "$bin_dir"/Transformer-*.jpg "$work/"
names=(minimal ferrolux)
for other in "${others[@]}"; do
    name=$(basename "$other")
    mkdir "$work/build-$name"
    cp "$other" "$work/build-$name/ferrolux"
    cp "$bin_dir"/Transformer-*.jpg "$work/build-$name/"
    names+=("$name")
done
probe=$bin_dir/first-paint-probe

# A display number that is free now, away from the numbers other tools pick first; Xvfb
# writes it to the given descriptor once it accepts clients.
display=$((150 + $$ % 100))
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -br 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

command_for() {
    case $1 in
    minimal) echo "$work/minimal-window" ;;
    ferrolux) echo "$work/ferrolux" ;;
    *) echo "$work/build-$1/ferrolux" ;;
    esac
}
measure() { # name, result file or /dev/null; a run that fails is tried again, twice at most
    for _ in 1 2 3; do
        # shellcheck disable=SC2046
        "$probe" $(command_for "$1") >>"$2" 2>>"$work/programs.log" && return 0
        echo "($1: run failed, trying again)" >>"$work/programs.log"
    done
}

for _ in $(seq "$warmups"); do
    for name in "${names[@]}"; do measure "$name" /dev/null; done
done
for run in $(seq "$runs"); do
    # Rotate the order every run.
    for offset in "${!names[@]}"; do
        name=${names[$(((run + offset) % ${#names[@]}))]}
        measure "$name" "$work/$name.txt"
    done
done

if [ -n "${STARTUP_BENCH_RESULTS:-}" ]; then
    cp "$work"/*.txt "$STARTUP_BENCH_RESULTS/"
fi
qt_version() { # of the Qt library the calculator loads
    ldd "$work/ferrolux" | sed -n 's/.*libQt6Core.so.6 => \([^ ]*\).*/\1/p' | xargs readlink -f |
        sed 's/.*\.so\.//'
}
median() { # file, key
    sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1" | sort -n | awk '
        { v[NR] = $1 }
        END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
spread() { # file, key: the 10th and 90th percentile
    sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1" | sort -n | awk '
        { v[NR] = $1 } END { printf "%s .. %s", v[int(NR * 0.1) + 1], v[int(NR * 0.9)] }'
}

echo "Start-up to first paint and peak memory, $runs runs each (median; 10th .. 90th percentile)"
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores;" \
    "$(uname -sr); Qt $(qt_version)"
printf '%-15s %-32s %-36s %s\n' program "  first paint, ms" "     peak RSS, kB" \
    "    CPU time, ms"
for name in "${names[@]}"; do
    file=$work/$name.txt
    if [ "$(wc -l <"$file")" -ne "$runs" ]; then
        echo "$name: only $(wc -l <"$file") of $runs runs gave a measurement; messages:" >&2
        grep -v XDG_RUNTIME "$work/programs.log" | tail -5 >&2
        tail -5 "$work/xvfb.log" >&2
        exit 1
    fi
    printf '%-15s %9.2f  (%18s) %12d  (%20s) %9.1f  (%18s)\n' "$name" \
        "$(median "$file" first_paint_ms)" "$(spread "$file" first_paint_ms)" \
        "$(median "$file" peak_rss_kb)" "$(spread "$file" peak_rss_kb)" \
        "$(median "$file" cpu_ms)" "$(spread "$file" cpu_ms)"
done
# Per-round ratio of one program's value over another's: median (10th .. 90th percentile).
ratio() { # numerator, denominator, key
    paste -d' ' <(sed -n "s/.*$3=\([0-9.]*\).*/\1/p" "$work/$1.txt") \
        <(sed -n "s/.*$3=\([0-9.]*\).*/\1/p" "$work/$2.txt") |
        awk '{ printf "%.4f\n", $1 / $2 }' | sort -n | awk '
        { v[NR] = $1 }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.3f (%.3f .. %.3f)", m, v[int(NR * 0.1) + 1], v[int(NR * 0.9)]
        }'
}
pairs=()
for name in "${names[@]:1}"; do pairs+=("$name minimal"); done
for name in "${names[@]:2}"; do pairs+=("ferrolux $name"); done
for pair in "${pairs[@]}"; do
    read -r a b <<<"$pair"
    printf 'ratio %-8s / %-8s time %s  memory %s  CPU %s\n' "$a" "$b" \
        "$(ratio "$a" "$b" first_paint_ms)" "$(ratio "$a" "$b" peak_rss_kb)" \
        "$(ratio "$a" "$b" cpu_ms)"
done
