#!/usr/bin/env bash
# Hostile inputs to varnolek-calc: huge row indexes, huge and endless data
# files, files that are not files. For each: the exit status, the first line of
# its message, wall time and peak resident memory. Each should end with its
# status and message well within a second and a few megabytes.
#
# Usage: bench/hostile_inputs.sh [BUILD_DIR]
set -uo pipefail
build=${1:-build}
exe="$build/varnolek-calc"
[ -x "$exe" ] || { echo "build first: make build" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (the time package)" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# A file of 30 good records, then 300 MB of zeros (sparse).
{ echo 30; for i in $(seq 0 29); do echo "$((1961 + i)),$((i + 1)).5"; done; } > "$dir/huge.txt"
truncate -s 300M "$dir/huge.txt"
mkfifo "$dir/levels.fifo"
mkdir "$dir/folder"
head -c 2097152 /dev/zero | tr '\0' '7' > "$dir/endless-field.txt"
head -c 2097152 /dev/zero | tr '\0' '\n' > "$dir/blank-lines.txt"

printf '%-58s %6s %9s %10s  %s\n' case exit "wall (s)" "peak (KB)" "output"
show() { # label stdin-file command...
  local label=$1 input=$2
  shift 2
  /usr/bin/time -o "$dir/time" -f '%e %M' "$@" < "$input" > "$dir/out" 2> "$dir/err"
  local status=$?
  read -r wall peak < <(tail -1 "$dir/time")
  local text
  text=$(cat "$dir/out" "$dir/err" | tr '\n' '|' | cut -c1-230)
  printf '%-58s %6s %9s %10s  %s\n' "$label" "$status" "$wall" "$peak" "$text"
}

show "multi-point Text4.99999999999=1" /dev/null "$exe" myKform/multi-point Text4.99999999999=1
show "multi-point Text4.2147483647=1 (the int limit)" /dev/null "$exe" myKform/multi-point Text4.2147483647=1
show "multi-point Text4.50000000=1" /dev/null "$exe" myKform/multi-point Text4.50000000=1
show "multi-point Text4.2000000000=1" /dev/null "$exe" myKform/multi-point Text4.2000000000=1
show "multi-point Text4.10922=1 (limit of points plus one)" /dev/null "$exe" myKform/multi-point Text4.10922=1
printf 'Text4.99999999999\n1\n' > "$dir/batch1.csv"
show "batch: printf 'Text4.99999999999\\n1\\n'" "$dir/batch1.csv" "$exe" myKform/multi-point --csv -
printf 'Text4.0,Text2.0,Text4.1,Text2.1,Text4.99999999999\n8.3,2,8,5,\n8.3,2,8,5,1\n8.3,2,8.1,5,\n' > "$dir/batch2.csv"
show "batch: a bad row between good rows" "$dir/batch2.csv" "$exe" myKform/multi-point --csv -
show "yearform, 300 MB file with a good head" /dev/null "$exe" yearform "file=$dir/huge.txt" rate=90
show "yearform file=/dev/zero" /dev/null "$exe" yearform file=/dev/zero rate=90
show "yearform, a FIFO" /dev/null "$exe" yearform "file=$dir/levels.fifo" rate=90
show "yearform, a directory" /dev/null "$exe" yearform "file=$dir/folder" rate=90
show "yearform, one endless field (2 MB)" /dev/null "$exe" yearform "file=$dir/endless-field.txt" rate=90
show "yearform, 2 MB of blank lines" /dev/null "$exe" yearform "file=$dir/blank-lines.txt" rate=90
