#!/usr/bin/env bash
# End-to-end check of the real window under Xvfb: start korvani with a
# drawing on the command line, drag its red box with the mouse through
# xdotool, and check on screenshots that the box left its old place for the
# new one, with the rulers and the selection handles showing.
#
#   xvfb_e2e.sh KORVANI_BINARY WORK_DIR
#
# Exits 77 (skipped) when xvfb-run, xdotool or ImageMagick is missing. The
# last screenshot stays in WORK_DIR/after_drag.png.
set -euo pipefail

korvani=${1:?usage: xvfb_e2e.sh KORVANI_BINARY WORK_DIR}
work=${2:?usage: xvfb_e2e.sh KORVANI_BINARY WORK_DIR}
log=$work/korvani.log
. "$(dirname "$0")/xvfb_common.sh"
under_xvfb "-screen 0 1280x1024x24" xvfb-run xauth xdotool import convert -- "$korvani" "$work"

# A 400 x 300 white canvas with one red box from (60, 40) to (160, 110).
drawing=$(dirname "$0")/../data/red_box.xml

"$korvani" "$drawing" >"$log" 2>&1 &
pid=$!
close_window() {
  if kill -0 "$pid" 2>/dev/null; then
    [ -n "${wid:-}" ] && xdotool windowkill "$wid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}
trap close_window EXIT

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Korvani$' | head -n1) || true
[ -n "$wid" ] || fail "the window \"Korvani\" did not appear"

pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }

# Waits (polling, up to about 30 s) until the red box's place satisfies $1.
wait_for_box() {
  local condition=$1 file=$2
  for _ in $(seq 150); do
    shot "$file"
    read -r w h x y < <(red_box "$file")
    if eval "$condition"; then return 0; fi
    sleep 0.2
  done
  return 1
}

wait_for_box '[ "$w" -gt 0 ]' "$work/opened.png" || fail "the red box never showed"
read -r w0 h0 x0 y0 < <(red_box "$work/opened.png")
echo "red box at ${x0},${y0} size ${w0}x${h0}"
# The box is 100 x 70 units at 100%: its fill lies inside the one-unit outline.
[ "$w0" -ge 97 ] && [ "$w0" -le 100 ] && [ "$h0" -ge 67 ] && [ "$h0" -le 70 ] || fail "the box is ${w0}x${h0} pixels"

# Drag it by (120, 90) from its middle.
dx=120 dy=90
cx=$((x0 + w0 / 2)) cy=$((y0 + h0 / 2))
xdotool mousemove "$cx" "$cy" sleep 0.1 mousedown 1 sleep 0.1 \
  mousemove $((cx + 30)) $((cy + 20)) sleep 0.05 \
  mousemove $((cx + 80)) $((cy + 60)) sleep 0.05 \
  mousemove $((cx + dx)) $((cy + dy)) sleep 0.1 mouseup 1
# Away from the box, so that no hover mark lies over what is checked.
xdotool mousemove 1270 1010

wait_for_box "[ \"\$x\" -eq $((x0 + dx)) ] && [ \"\$y\" -eq $((y0 + dy)) ]" "$work/after_drag.png" ||
  fail "the red box did not arrive at $((x0 + dx)),$((y0 + dy)) (it is at ${x},${y})"
after="$work/after_drag.png"
[ "$w" -eq "$w0" ] && [ "$h" -eq "$h0" ] || fail "the box changed size to ${w}x${h}"
[ "$(pixel "$after" "$cx" "$cy")" = FFFFFF ] || fail "the old place ${cx},${cy} is not bare canvas"
[ "$(pixel "$after" $((cx + dx)) $((cy + dy)))" = FF0000 ] || fail "the new place is not red"

# The rulers: light grey strips along the top and the left of the view, which
# lies below the menus and bars and right of the tools: looked for between the
# window's edge and the box, in a band five pixels wide, so that the ticks
# drawn across a ruler leave enough of it.
origin_x=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Position: \([0-9]*\),.*/\1/p')
origin_y=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Position: [0-9]*,\([0-9]*\).*/\1/p')
grey_pixels() { convert "$1" -crop "$2" +repage -fill black +opaque '#D3D3D3' -fill white -opaque '#D3D3D3' \
  -format '%[fx:round(mean*w*h)]' info:; }
[ "$(grey_pixels "$after" "5x$((y0 + dy - origin_y))+$((cx + dx))+$origin_y")" -ge 40 ] || fail "no top ruler"
[ "$(grey_pixels "$after" "$((x0 + dx - origin_x))x5+$origin_x+$((cy + dy))")" -ge 40 ] || fail "no left ruler"

# The moved box stays selected: black handle squares 4 units outside its corners.
handle_found=0
for hx in $((x0 + dx - 6)) $((x0 + dx - 5)) $((x0 + dx - 4)); do
  for hy in $((y0 + dy - 6)) $((y0 + dy - 5)) $((y0 + dy - 4)); do
    [ "$(pixel "$after" "$hx" "$hy")" = 000000 ] && handle_found=1
  done
done
[ "$handle_found" = 1 ] || fail "no selection handle at the top-left of the moved box"

# Keys reach the view: Ctrl+Z takes the move back, Ctrl+Y does it again.
# Without a window manager the keyboard follows the pointer: rest it on the
# window, away from the box.
xdotool mousemove $((origin_x + 900)) $((origin_y + 600))
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key ctrl+z
wait_for_box "[ \"\$x\" -eq $x0 ] && [ \"\$y\" -eq $y0 ]" "$work/undone.png" ||
  fail "Ctrl+Z did not bring the box back to ${x0},${y0} (it is at ${x},${y})"
xdotool key ctrl+y
wait_for_box "[ \"\$x\" -eq $((x0 + dx)) ] && [ \"\$y\" -eq $((y0 + dy)) ]" "$work/redone.png" ||
  fail "Ctrl+Y did not move the box again (it is at ${x},${y})"

echo "PASS: the box moved from ${x0},${y0} to $((x0 + dx)),$((y0 + dy)), back with Ctrl+Z and again with Ctrl+Y; screenshot $after"
