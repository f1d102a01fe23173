#!/usr/bin/env bash
# Screenshots of the plot windows under Xvfb, into docs/screenshots/.
# Usage: scripts/plot-screenshots.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
tool="$build/bench/plot_window"
[ -x "$tool" ] || { echo "build first: make build" >&2; exit 1; }
out=docs/screenshots
shot() { # name, then the tool's arguments
  local name=$1; shift
  xvfb-run -a -s "-screen 0 1280x1024x24" "$tool" --screenshot "$out/plot_$name.png" "$@"
  echo "$out/plot_$name.png"
}
shot my1dform my1dform
shot my2dform my2dform
shot my1dw my1dw
shot myRevolform --option Option4 myRevolform
shot myKform --option Option2 --answer 6 myKform
shot yearform --file examples/lowest_water_levels_1961-1990.txt --answer 90 yearform
shot designflowform --file examples/monthly_flows_2001-2022.csv designflowform
