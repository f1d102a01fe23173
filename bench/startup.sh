#!/usr/bin/env bash
# Start-up time of Varnolek against the toolkit's floor.
#
# Under one Xvfb display, launches the program and a bare Qt program (one empty
# maximized QWidget) alternately, RUNS times each. Each prints the time from its
# launch to the first paint of its first window and quits at once. Prints the
# median of each and their ratio. Then, for information, the launch of a
# calculator window straight away (--window my1dform), which also loads the
# module with the menus, charts and printing: the cost the welcome window no
# longer pays.
#
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-9}
app="$build/varnolek"
bare="$build/bench/bare_window"
[ -x "$app" ] && [ -x "$bare" ] || { echo "build first: make build" >&2; exit 1; }

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$app" "$bare" "$runs" <<'INNER'
set -euo pipefail
app=$1; bare=$2; runs=$3
measure() {
  VARNOLEK_LAUNCH_NS=$(date +%s%N) "$@" 2>/dev/null | awk '/first-window-ms/ {print $2}'
}
# One warm-up run each, so that both start with the same disk caches.
measure "$app" >/dev/null; measure "$bare" >/dev/null
a=(); b=(); c=()
for ((i = 0; i < runs; i++)); do
  a+=("$(measure "$app")")
  b+=("$(measure "$bare")")
  c+=("$(measure "$app" --window my1dform)")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
ma=$(median "${a[@]}"); mb=$(median "${b[@]}")
echo "runs each:                   $runs"
echo "varnolek, welcome window:    ${a[*]} ms"
echo "bare maximized QWidget:      ${b[*]} ms"
echo "median varnolek:             $ma ms"
echo "median bare window:          $mb ms"
awk -v a="$ma" -v b="$mb" 'BEGIN {printf "ratio (target <= 1.20):      %.2f\n", a / b}'
echo "median my1dform with module: $(median "${c[@]}") ms"
INNER
