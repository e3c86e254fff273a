#!/usr/bin/env bash
# High-density screens under Xvfb: with a scale factor of 2 the canvas is
# rendered at the screen's full resolution, so the red box's one-unit black
# outline is two device pixels wide with hard edges (pure white outside,
# pure red inside), not a one-pixel line scaled up into a grey blur.
#
#   xvfb_hidpi.sh KORVANI_BINARY WORK_DIR
#
# Exits 77 (skipped) when xvfb-run, xdotool or ImageMagick is missing.
set -euo pipefail

korvani=${1:?usage: xvfb_hidpi.sh KORVANI_BINARY WORK_DIR}
work=${2:?usage: xvfb_hidpi.sh KORVANI_BINARY WORK_DIR}
log=$work/korvani.log
. "$(dirname "$0")/xvfb_common.sh"
under_xvfb "-screen 0 2560x2048x24" xvfb-run xauth xdotool import convert -- "$korvani" "$work"

drawing=$(dirname "$0")/../data/red_box.xml
QT_SCALE_FACTOR=2 "$korvani" "$drawing" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Korvani$' | head -n1) || true
[ -n "$wid" ] || fail "the window \"Korvani\" did not appear"
# Away from the box, so that no hover mark lies over it.
xdotool mousemove 2550 2040

shot=$work/scaled.png
box=""
for _ in $(seq 150); do
  import -window root "$shot"
  box=$(convert "$shot" -fill black +opaque '#FF0000' -format '%@' info: 2>/dev/null || true)
  [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -gt 0 ] &&
    [ "${BASH_REMATCH[1]}" -lt 2560 ] && break
  sleep 0.2
done
[[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "the red box never showed"
w=${BASH_REMATCH[1]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]} h=${BASH_REMATCH[2]}
echo "red fill at ${x},${y} size ${w}x${h}"
# 100 x 70 units at 100 %: 200 x 140 device pixels less the outline's inner half.
[ "$w" -ge 196 ] && [ "$w" -le 200 ] || fail "the box is ${w} pixels wide, not about 200"

# The row through the middle of the box, from 4 pixels left of the fill.
row=$((y + h / 2))
line=$(convert "$shot" -crop "8x1+$((x - 6))+${row}" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | tr '\n' ' ')
echo "pixels left of the fill: $line"
[ "$line" = "FFFFFF FFFFFF FFFFFF FFFFFF 000000 000000 FF0000 FF0000 " ] ||
  fail "the outline is not two hard-edged black pixels between white and red: $line"
echo "PASS: the one-unit outline is two device pixels wide with hard edges; screenshot $shot"
