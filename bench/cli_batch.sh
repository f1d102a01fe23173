#!/usr/bin/env bash
# Throughput and memory of varnolek-calc's CSV batch: one-dimensional river
# cases with varied inputs, 100,000 and 1,000,000 rows, on one thread and on
# every core (--threads default) in the same run. Prints rows per second, the
# ratio of the two, and peak resident memory; the memory should not grow with
# the row count, and both runs must write the same bytes.
#
# Usage: bench/cli_batch.sh [BUILD_DIR] [CALCULATION]
set -euo pipefail
build=${1:-build}
calc=${2:-my1dform}
exe="$build/varnolek-calc"
[ -x "$exe" ] || { echo "build first: make build" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

generate() { # rows file
  awk -v n="$1" 'BEGIN {
    srand(42)
    print "myk,myu,mye,myq0,myc0,myx,myq2,myc2"
    for (i = 0; i < n; i++)
      printf "%.3f,%.2f,%.1f,%.1f,%.2f,%.2f,%.1f,%.1f\n",
        0.02 + rand() * 0.48, 0.1 + rand() * 3, rand() * 20, 1 + rand() * 500,
        rand() * 30, rand() * 50, rand() * 20, rand() * 100
  }' > "$2"
}

# best ARGS...: the fastest of three runs into $dir/out.csv; sets secs, kb and
# cpu (user + system seconds of that run: on a busy machine the wall time
# counts the waits for a core, the CPU time does not).
best() {
  secs=""
  for run in 1 2 3; do
    /usr/bin/time -f '%e %M %U %S' -o "$dir/time" "$exe" "$calc" --csv "$dir/cases.csv" "$@" > "$dir/out.csv"
    read -r s k u y < "$dir/time"
    if [ -z "$secs" ] || awk -v a="$s" -v b="$secs" 'BEGIN {exit !(a < b)}'; then
      secs=$s; kb=$k; cpu=$(awk -v u="$u" -v y="$y" 'BEGIN {print u + y}')
    fi
  done
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
for rows in 100000 1000000; do
  generate "$rows" "$dir/cases.csv"
  best --threads 1
  one=$secs; onekb=$kb; onecpu=$cpu
  mv "$dir/out.csv" "$dir/one.csv"
  best
  all=$secs; allkb=$kb
  cmp -s "$dir/one.csv" "$dir/out.csv" && same="same bytes" || same="OUTPUTS DIFFER"
  lines=$(($(wc -l < "$dir/out.csv") - 1))
  errors=$(awk -F, 'NR > 1 && $NF != "" {n++} END {print n + 0}' "$dir/out.csv")
  awk -v r="$rows" -v s1="$one" -v k1="$onekb" -v s="$all" -v kb="$allkb" -v l="$lines" -v e="$errors" \
      -v same="$same" -v c1="$onecpu" 'BEGIN {
    printf "%8d rows, 1 thread:     %.2f s, %.0f rows/s, peak memory %.1f MiB (%.2f CPU s, %.0f rows per CPU second)\n",
      r, s1, (s1 > 0 ? r / s1 : 0), k1 / 1024, c1, (c1 > 0 ? r / c1 : 0)
    printf "%8d rows, every core:  %.2f s, %.0f rows/s, peak memory %.1f MiB, %.2f x one thread\n",
      r, s, (s > 0 ? r / s : 0), kb / 1024, (s > 0 ? s1 / s : 0)
    printf "          %d rows written, %d with an error, %s\n", l, e, same }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
