#!/usr/bin/env bash
# Peak memory of varnolek-calc sweeps of 10^6, 10^7 and 10^8 points (the decay
# rate of the one-dimensional river model): a sweep makes each point's value
# from its index and writes its rows as they come, so the peak should stay
# flat, a few megabytes whatever the count. Also prints the wall time, the
# points per second and the bytes written.
#
# Usage: bench/sweep_memory.sh [BUILD_DIR] [LARGEST_EXPONENT]
set -euo pipefail
build=${1:-build}
largest=${2:-8}
exe="$build/varnolek-calc"
[ -x "$exe" ] || { echo "build first: make build" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (the time package)" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

for exponent in $(seq 6 "$largest"); do
  points=$((10 ** exponent))
  /usr/bin/time -f '%e %M' -o "$dir/time" "$exe" my1dform --sweep "myk=0.02:0.5:$points" \
    | wc -c > "$dir/bytes"
  read -r secs kb < "$dir/time"
  awk -v n="$points" -v s="$secs" -v kb="$kb" -v b="$(cat "$dir/bytes")" 'BEGIN {
    printf "sweep of %d points of my1dform: peak memory %.1f MiB, %.1f s, %.0f points/s, %.0f MB written\n",
      n, kb / 1024, s, (s > 0 ? n / s : 0), b / 1e6 }'
done
