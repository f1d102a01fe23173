#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a while and reports its executions.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]   (every target if none is named)
# New inputs go to BUILD_DIR/corpus/<target>; the seeds in fuzz/corpus are
# read, never written. A target with a dictionary fuzz/<target>.dict is given it. A finding is saved as BUILD_DIR/artifacts/<target>-crash-…
# and makes this script fail.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
targets=(fuzz_field_text fuzz_patterns fuzz_data_file fuzz_monthly_file fuzz_cli fuzz_case fuzz_table fuzz_xlsx)
if [ $# -gt 2 ]; then
  targets=("${@:3}")
fi

mkdir -p "$build/artifacts"
failed=0
summary=()
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target"
  log="$build/$target.log"
  dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  echo "== $target: ${seconds} s"
  "$build/fuzz/$target" "$build/corpus/$target" "fuzz/corpus/$target" "${dict[@]}" \
    -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    failed=1
    tail -40 "$log"
    summary+=("$target: FAILED (exit $status) after ${runs:-?} executions, see $log")
  else
    summary+=("$target: ${runs:-?} executions in ${seconds} s, no crash")
  fi
done
echo
printf '%s\n' "${summary[@]}"
exit $failed
