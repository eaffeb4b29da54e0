#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on a copy of its seed corpus and fails on any
# crash, leak, time-out or sanitizer report.
#   fuzz/run_smoke.sh DIR SECONDS
# DIR holds the fuzz_* executables (build-fuzz/bin with the fuzz preset); SECONDS is the time
# per target. Inputs that made a target fail are kept in the printed folder.
set -uo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 DIR SECONDS" >&2
    exit 2
fi
bin_dir=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
targets=(fuzz_record_reader fuzz_number_text fuzz_eng_complex fuzz_report_path fuzz_design_extras
    fuzz_checks_json fuzz_tool_options)

work=$(mktemp -d "${TMPDIR:-/tmp}/ferrolux-fuzz.XXXXXX")
keep_work=0
cleanup() { [ "$keep_work" -eq 1 ] || rm -rf "$work"; }
trap cleanup EXIT

# Leaks count as failures; UBSan reports abort (the build also uses -fno-sanitize-recover).
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

failed=()
for target in "${targets[@]}"; do
    exe="$bin_dir/$target"
    if [ ! -x "$exe" ]; then
        echo "FAIL $target: $exe not found (build the fuzz preset first)" >&2
        failed+=("$target")
        continue
    fi
    corpus="$work/$target/corpus"
    artifacts="$work/$target/artifacts/"
    mkdir -p "$corpus" "$artifacts"
    cp "$here/corpus/$target/"* "$corpus/"
    log="$work/$target/log.txt"

    # -timeout: one input taking longer than this is a hang. -rss_limit_mb: a runaway
    # allocation is a failure too, well before the machine suffers.
    "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" >"$log" 2>&1
    status=$?

    runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$')
    if [ "$status" -ne 0 ] ||
        grep -Eq 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|SUMMARY: ' "$log"; then
        echo "FAIL $target (exit status $status); log and inputs in $work/$target" >&2
        grep -E 'runtime error:|ERROR:|SUMMARY:|fuzz check failed|Test unit written' "$log" | head -20 >&2
        failed+=("$target")
        keep_work=1
    else
        echo "ok   $target: ${runs:-?} inputs in ${seconds} s, no crash, leak or sanitizer report"
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzz smoke runs failed: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzz smoke runs passed (${#targets[@]} targets)."
