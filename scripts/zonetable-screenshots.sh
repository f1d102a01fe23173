#!/usr/bin/env bash
# Screenshots of the zone table under Xvfb, into docs/screenshots/: the main
# menu with its 计算表 menu, and the example plan's table and totals.
# Usage: scripts/zonetable-screenshots.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
app="$build/varnolek"
[ -x "$app" ] || { echo "build first: make build" >&2; exit 1; }
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (xdotool, imagemagick)" >&2; exit 1; }
done
out=docs/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy, so that nothing typed by accident reaches the example.
cp examples/qingshui_plan.vtable "$work/qingshui_plan.vtable"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$app" "$out" <<'INNER'
set -euo pipefail
app=$1; out=$2
"$app" & pid=$!
sleep 3
xdotool mousemove 260 464 click 1 # 进入
sleep 1.5
xdotool mousemove 93 8 click 1 # the menu 计算表, after 模型
sleep 0.7
import -window root "$out/mainform.png"
kill "$pid"
INNER
echo "$out/mainform.png"

xvfb-run -a -s "-screen 0 1400x860x24" bash -s "$app" "$out" "$work/qingshui_plan.vtable" <<'INNER'
set -euo pipefail
app=$1; out=$2; table=$3
"$app" "$table" & pid=$!
sleep 4
window=$(xdotool search --name "水功能区纳污能力计算表" | head -n 1)
geometry=$(xdotool getwindowgeometry --shell "$window")
eval "$geometry"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/zonetable.png"
xdotool key ctrl+Tab          # the tab 汇总
sleep 1.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$out/zonetable-totals.png"
kill "$pid"
INNER
echo "$out/zonetable.png"
echo "$out/zonetable-totals.png"
