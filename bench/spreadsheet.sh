#!/usr/bin/env bash
# The zone table to and from Excel: a table of 10,000 zones (the example's 21
# rows over and over, each zone named apart) written as an xlsx workbook with
# varnolek-calc --table --xlsx, and that workbook imported again with
# --import --save. Each should take no more than a second; the figures are the
# best of three runs, wall and CPU time, with the time to read and compute the
# table alone (--table to CSV) for comparison, and the workbook's size.
#
# Usage: bench/spreadsheet.sh [BUILD_DIR] [ZONES]
set -euo pipefail
build=${1:-build}
zones=${2:-10000}
exe="$build/varnolek-calc"
[ -x "$exe" ] || { echo "build first: make build" >&2; exit 1; }
cd "$(dirname "$0")/.."
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# The example's rows repeated, each zone's name made its own.
awk -v n="$zones" '
  /"rows": \[/ { print; inrows = 1; next }
  inrows && /^ *\{/ { sub(/,$/, ""); rows[count++] = $0; next }
  inrows && /^ *\]/ {
    for (i = 0; i < n; i++) {
      row = rows[i % count]
      sub(/"zone":"/, "\"zone\":\"" int(i / count) + 1 "-", row)
      print row (i < n - 1 ? "," : "")
    }
    print; inrows = 0; next
  }
  !inrows { print }' examples/qingshui_plan.vtable >"$dir/zones.vtable"

# best LABEL ARGS...: the fastest of three runs.
best() {
  local label=$1
  shift
  local secs="" cpu="" s c
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %U %S' -o "$dir/time" "$exe" "$@" >"$dir/out" 2>"$dir/err" || {
      cat "$dir/err" >&2
      exit 1
    }
    read -r s u y <"$dir/time"
    c=$(awk -v u="$u" -v y="$y" 'BEGIN { print u + y }')
    if [ -z "$secs" ] || awk -v s="$s" -v b="$secs" 'BEGIN { exit !(s < b) }'; then secs=$s cpu=$c; fi
  done
  printf '%-44s %6.2f s wall  %6.2f s CPU\n' "$label" "$secs" "$cpu"
}

best "table of $zones zones read and printed as CSV" --table "$dir/zones.vtable"
best "the same written as an xlsx workbook" --table "$dir/zones.vtable" --xlsx "$dir/zones.xlsx"
best "that workbook imported and saved as a table" --import "$dir/zones.xlsx" --save "$dir/again.vtable"
rows=$(grep -c '"zone":' "$dir/again.vtable")
printf 'workbook: %s bytes; %s zones read back\n' "$(stat -c %s "$dir/zones.xlsx")" "$rows"
[ "$rows" = "$zones" ] || { echo "the workbook gave $rows zones, not $zones" >&2; exit 1; }
