#!/usr/bin/env bash
# Takes a screenshot of Varnolek under Xvfb after the given xdotool-free delay.
# Usage: scripts/screenshot.sh OUT.png [SECONDS] [PROGRAM [ARGS...]]
set -euo pipefail
out=$1; delay=${2:-2}; shift 2 || true
prog=("${@:-./build/varnolek}")
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
  ${prog[*]} & pid=\$!
  sleep $delay
  import -window root '$out'
  kill \$pid
"
