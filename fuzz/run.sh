#!/usr/bin/env bash
# Runs every harness for SECONDS each on a corpus in the build tree, grown from the seeds,
# and prints each one's executions and coverage:  run.sh BUILD_DIR SECONDS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 seconds=$2
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
printf '%-12s %12s %10s %8s %8s\n' harness executions "execs/s" cov ft
failed=0
for name in otp_info fw_info device_list progress settings; do
    corpus=$build/fuzz-corpus/$name log=$build/fuzz-$name.log
    mkdir -p "$corpus" "$build/fuzz-crashes"
    cp -n "$here/seeds/$name"/* "$corpus"/
    # Inputs as long as what each decoder meets, a little more: a read-out, a first flash
    # block, a listing of two units, a few progress lines.
    leaks=1
    case $name in
        otp_info) max_len=640 ;;
        fw_info) max_len=2304 ;;
        device_list) max_len=1536 ;;
        progress) max_len=256 ;;
        # Qt 5.15's JSON parser leaks the earlier value of a key given twice when it is an
        # array or object; a settings file is read once a run, so that is no growth, and not ours.
        settings) max_len=8192 leaks=0 ;;
    esac
    # No allocation stacks, no fill of new blocks, a smaller quarantine: twice the inputs a
    # second. A fault is reported all the same; run the kept input again for the stacks.
    asan=detect_leaks=$leaks:malloc_context_size=0:quarantine_size_mb=16:max_malloc_fill_size=0
    if ! ASAN_OPTIONS=$asan "$build/fuzz/fuzz_$name" -max_len=$max_len -max_total_time="$seconds" \
            -print_final_stats=1 -dict="$here/velmora.dict" \
            -artifact_prefix="$build/fuzz-crashes/$name-" -close_fd_mask=1 "$corpus" >"$log" 2>&1; then
        echo "fuzz_$name found a fault; input and report: $build/fuzz-crashes, $log" >&2
        grep -E 'rule broken|ERROR|SUMMARY' "$log" >&2 || tail -20 "$log" >&2
        failed=1
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    printf '%-12s %12s %10s %8s %8s\n' "$name" "$runs" "$rate" "${cov:-?}" "${ft:-?}"
done
exit $failed
