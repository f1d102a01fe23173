#!/usr/bin/env bash
# Monte Carlo run of varnolek-calc: 1,000,000 cases of the two-dimensional river
# model with three varied fields (K and the transverse dispersion over their
# labels' ranges, the flow speed normal), on two threads and on one. Prints the
# seconds of the fastest of three runs each (and its CPU seconds: on a busy
# machine the wall time counts the waits for a core) and checks that both give the same
# statistics.
#
# Usage: bench/montecarlo.sh [BUILD_DIR] [CASES]
set -euo pipefail
build=${1:-build}
cases=${2:-1000000}
exe="$build/varnolek-calc"
[ -x "$exe" ] || { echo "build first: make build" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
for threads in 2 1; do
  secs=""
  for run in 1 2 3; do
    /usr/bin/time -f '%e %M %U %S' -o "$dir/time" "$exe" my2dform --monte-carlo "$cases" --seed 7 \
      --vary myk --vary mye --vary myu=normal:2:0.2 --threads "$threads" > "$dir/stats$threads.csv"
    read -r s k u y < "$dir/time"
    if [ -z "$secs" ] || awk -v a="$s" -v b="$secs" 'BEGIN {exit !(a < b)}'; then
      secs=$s; kb=$k; cpu=$(awk -v u="$u" -v y="$y" 'BEGIN {print u + y}')
    fi
  done
  awk -v n="$cases" -v t="$threads" -v s="$secs" -v kb="$kb" -v c="$cpu" 'BEGIN {
    printf "%d cases of my2dform, 3 varied fields, %d thread(s): %.2f s, %.0f cases/s, peak memory %.1f MiB, %.2f CPU s\n",
      n, t, s, (s > 0 ? n / s : 0), kb / 1024, c }'
done
cmp -s "$dir/stats1.csv" "$dir/stats2.csv" && echo "same statistics on 1 and 2 threads" || echo "STATISTICS DIFFER"
cat "$dir/stats2.csv"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
