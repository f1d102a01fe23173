#!/usr/bin/env bash
# Hostile inputs to varnolek-calc: huge row indexes, huge and endless data
# files, files that are not files; saved cases, sweeps and Monte Carlo runs at
# the edges of numbers and counts. For each: the exit status, the first line of
# its message, wall time and peak resident memory. Each should end with its
# status and message well within a second and a few megabytes (the sweep of
# 1e9 points is stopped after 10 s: its memory stays flat meanwhile; the batch
# of a 3 GB record runs out of its 1.5 GB and says so).
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

# Saved cases, sweeps and Monte Carlo runs at the edges of numbers and counts.
printf '{"x":1e400}' > "$dir/beyond.vcase"
printf '{"program":"Varnolek","program":"Varnolek","format":1,"calculation":"my1dform"}' > "$dir/twice.vcase"
printf '4\n1961,1\n1962,2\n1963,3\n1964,4\n' > "$dir/symmetric.txt"
show "case file {\"x\":1e400}" /dev/null "$exe" --case "$dir/beyond.vcase"
show "case file naming \"program\" twice" /dev/null "$exe" --case "$dir/twice.vcase"
show "sweep myk=-1e308:1e308:3" /dev/null "$exe" my1dform --sweep myk=-1e308:1e308:3
show "sweep myk=1e308:-1e308:3" /dev/null "$exe" my1dform --sweep myk=1e308:-1e308:3
show "sweep myk=1e-300:1e300:3:log" /dev/null "$exe" my1dform --sweep myk=1e-300:1e300:3:log
show "two sweeps of 1e9 points" /dev/null "$exe" my1dform --sweep myk=0.1:0.3:1000000000 \
  --sweep myx=1:2:1000000000
show "sweep of 1e9 points stopped after 10 s: bytes written" /dev/null bash -c \
  '{ timeout 10 "$0" my1dform --sweep myk=0.1:0.3:1000000000; echo "timeout: exit $?" >&2; } | wc -c' "$exe"
show "myk swept twice" /dev/null "$exe" my1dform --sweep myk=0.1:0.3:3 --sweep myk=1:2:2
show "--monte-carlo 9223372036854775808" /dev/null "$exe" my1dform --monte-carlo 9223372036854775808 --vary myk
show "--monte-carlo 18446744073709551615 --rows" /dev/null "$exe" my1dform --monte-carlo 18446744073709551615 \
  --rows --vary myk
show "--monte-carlo 100000000000000000 (values beyond memory)" /dev/null "$exe" my1dform \
  --monte-carlo 100000000000000000 --vary myk
show "--monte-carlo 1e15" /dev/null "$exe" my1dform --monte-carlo 1e15 --vary myk
show "--vary myk twice" /dev/null "$exe" my1dform --monte-carlo 9 --vary myk --vary myk=normal:0.2:0.01
show "--vary myk=uniform:-1e308:1e308" /dev/null "$exe" my1dform --monte-carlo 1000 --vary myk=uniform:-1e308:1e308
show "--vary myk=lognormal:800:1" /dev/null "$exe" my1dform --monte-carlo 1000 --vary myk=lognormal:800:1
show "every case failed (MYLFORM, myc below 0)" /dev/null "$exe" MYLFORM --monte-carlo 300 --vary myc=uniform:-4:-1
show "statistics of myc0 from 1e307 to 1.7e308 (my2dform)" /dev/null "$exe" my2dform --monte-carlo 1000 \
  --vary myc0=uniform:1e307:1.7e308
show "frequency of 1, 2, 3, 4 at 90 %" /dev/null "$exe" frequency "file=$dir/symmetric.txt" rate=90
show "batch of a 3 GB record, ulimit -v 1500000, 2 threads" /dev/null bash -c \
  '{ printf "myx,myk\n1,2\n"; head -c 3000000000 /dev/zero; } | (ulimit -v 1500000; "$0" my1dform --csv - --threads 2)' \
  "$exe"
