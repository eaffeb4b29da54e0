#!/usr/bin/env bash
# Runs every benchmark: the Google Benchmark targets of the calculator core, then start-up to
# first paint against the minimal Qt program (bench/run_startup_bench.sh).
#   bench/run_benchmarks.sh [BIN_DIR [STARTUP_RUNS]]
# BIN_DIR is a release build's bin folder (default build/bin, made by ./setup.sh or
# `cmake --preset release && cmake --build --preset release`). Each core benchmark is repeated
# five times and reported by its median, which a busy machine disturbs least.
set -euo pipefail

bin_dir=${1:-build/bin}
startup_runs=${2:-40}
here=$(cd "$(dirname "$0")" && pwd)

for bench in bench_analysis bench_eng_format bench_last_run_file bench_engineering_checks bench_supply; do
    if [ ! -x "$bin_dir/$bench" ]; then
        echo "missing $bin_dir/$bench: build a release build with benchmarks first" >&2
        exit 2
    fi
done

echo "== Core benchmarks ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores)"
for bench in bench_analysis bench_eng_format bench_last_run_file bench_engineering_checks bench_supply; do
    "$bin_dir/$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_display_aggregates_only=true 2>&1 | grep -E '^(Benchmark|-|BM_.*_median)'
done

echo
echo "== Start-up to first paint"
"$here/run_startup_bench.sh" "$bin_dir" "$startup_runs"
