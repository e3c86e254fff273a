#!/usr/bin/env bash
# The screen capture window over a real X screen: a known picture of random
# pixels is put on the root window, the window is opened over it, a region is
# dragged with real pointer events and Enter is pressed, and the BMP file
# written must hold exactly those pixels; then a click in colour mode must give
# the colour of the pixel under the pointer.
#
#   xvfb_capture.sh CAPTURE_PROBE WORK_DIR
#
# Exits 77 (skipped) when xvfb-run, xdotool or ImageMagick is missing.
set -euo pipefail

probe=${1:?usage: xvfb_capture.sh CAPTURE_PROBE WORK_DIR}
work=${2:?usage: xvfb_capture.sh CAPTURE_PROBE WORK_DIR}
log=$work/probe.log
. "$(dirname "$0")/xvfb_common.sh"
# (-noreset: the server would clear the root window whenever its last client left)
under_xvfb "-screen 0 640x480x24 -noreset" xvfb-run xauth xdotool display import convert compare -- "$probe" "$work"

pid=
stop_probe() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}
trap stop_probe EXIT

# Waits for the capture window and gives it the keyboard (there is no window manager).
capture_window() {
  local wid
  wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Screen capture$' | head -n1) || true
  [ -n "$wid" ] || fail "the capture window did not appear"
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
}

# Waits up to 30 s for the probe to finish; its status is left in $status.
finish() {
  for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the capture window did not close"
  status=0
  wait "$pid" || status=$?
  pid=
}

convert -seed 7 -size 640x480 xc:white +noise Random -depth 8 -type TrueColor "$work/screen.png"
# display reports failure even when the root window took the picture: check the screen instead.
display -window root "$work/screen.png" 2>/dev/null || true
import -window root "$work/root.png"
[ "$(compare -metric AE "$work/root.png" "$work/screen.png" null: 2>&1 || true)" = 0 ] ||
  fail "the root window does not show the known picture"

# Region mode: dragged from the bottom right to the top left, then Enter.
"$probe" region "$work/region.bmp" >"$log" 2>&1 &
pid=$!
capture_window
xdotool mousemove 400 300 sleep 0.1 mousedown 1 sleep 0.1 mousemove 300 200 sleep 0.05 \
  mousemove 101 51 sleep 0.05 mousemove 100 50 sleep 0.1 mouseup 1 sleep 0.1 key Return
finish
[ "$status" -eq 0 ] || fail "region mode gave no file (status $status)"
[ "$(head -c 2 "$work/region.bmp")" = BM ] || fail "region.bmp is not a BMP file"
convert "$work/screen.png" -crop 300x250+100+50 +repage "$work/expected.png"
differ=$(compare -metric AE "$work/region.bmp" "$work/expected.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the captured region differs from the screen in $differ pixels"

# Colour mode: a click takes the pixel under the pointer.
"$probe" colour >"$work/colour.txt" 2>"$log" &
pid=$!
capture_window
xdotool mousemove 123 45 sleep 0.2 click 1
finish
[ "$status" -eq 0 ] || fail "colour mode picked nothing (status $status)"
expected=$(convert "$work/screen.png" -format '%[fx:int(255*p{123,45}.r+0.5)] %[fx:int(255*p{123,45}.g+0.5)] %[fx:int(255*p{123,45}.b+0.5)]' info:)
picked=$(cat "$work/colour.txt")
[ "$picked" = "$expected" ] || fail "picked $picked where the screen shows $expected"

echo "PASS: a 300 x 250 region written as BMP holds the screen's pixels; the pixel at 123,45 was picked as $picked"
