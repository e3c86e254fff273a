#!/usr/bin/env bash
# End-to-end check of a new user's first drawing under Xvfb, with real pointer
# and key events: the start-up chooser's "new drawing", a 400 x 300 canvas, the
# Rectangle tool from the tools bar, a dragged rectangle, line width 5 typed
# into the property bar, a new name typed into the items panel, Ctrl+S through
# the file dialog and File > Exit without a question. The saved file must hold
# exactly that; opened again, the editor's canvas must look like the export of
# the same file.
#
#   xvfb_editor_e2e.sh KORVANI_BINARY WORK_DIR
#
# Exits 77 (skipped) when xvfb-run, xdotool or ImageMagick is missing. The
# screenshots stay in WORK_DIR (editor.png: the whole window before saving).
set -euo pipefail

korvani=${1:?usage: xvfb_editor_e2e.sh KORVANI_BINARY WORK_DIR}
work=${2:?usage: xvfb_editor_e2e.sh KORVANI_BINARY WORK_DIR}
log=$work/korvani.log
. "$(dirname "$0")/xvfb_common.sh"
under_xvfb "-screen 0 1280x1024x24" xvfb-run xauth xdotool import convert compare -- "$korvani" "$work"

drawing=$work/house.xml
name="Front door"
rm -f "$drawing" "$work"/*.xml
# The colour the New dialog offers for the canvas, and Qt's colours of a
# checked tool button and of a selected row.
canvas_colour='#60C877' checked_colour='#DBDBDB' row_colour='#308CC6'

pid=
close_editor() {
  [ -n "$pid" ] || return 0
  { kill "$pid" && sleep 0.5 && kill -9 "$pid"; } 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=
}
trap close_editor EXIT

start_editor() {
  "$korvani" "$@" >>"$log" 2>&1 &
  pid=$!
}

# Polls (every 0.2 s, about 30 s at most) until the shell condition $1 holds.

# The visible window named exactly $1 (and, when given, of size $2 "WxH").
window() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    if [ -z "${2:-}" ] || xdotool getwindowgeometry "$id" | grep -q "Geometry: $2\$"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}
position() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p'; }
editor_gone() { [ ! -e "/proc/$pid" ] || grep -q '^State:[[:space:]]*Z' "/proc/$pid/status"; }

type_into() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool type --delay 20 "$2"
}

# The bounding box "W H X Y" of the pixels of colour $2 within the crop $3 of
# screenshot $1 (screen coordinates); "0 0 0 0" when there are none.
box_of() {
  local box
  box=$(convert "$1" -crop "$3" +repage -fill black +opaque "$2" -format '%@' info: 2>/dev/null || true)
  if [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -gt 0 ] &&
    [[ "$3" =~ \+([0-9]+)\+([0-9]+)$ ]]; then
    local ox=${BASH_REMATCH[1]} oy=${BASH_REMATCH[2]}
    [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} $((BASH_REMATCH[3] + ox)) $((BASH_REMATCH[4] + oy))"
  else
    echo "0 0 0 0"
  fi
}
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }

# The green canvas's inside (within its one-pixel black border) as "W H X Y".
canvas_inside() { box_of "$1" "$canvas_colour" 1280x1024+0+0; }

# --- 1. The start-up chooser (450 x 300): its first choice is a new custom drawing.
start_editor
wait_until 'chooser=$(window Korvani 450x300)' || fail "the start-up chooser did not appear"
read -r x y < <(position "$chooser")
# That choice's hot area is 141 x 125 at (56, 19).
xdotool mousemove $((x + 56 + 70)) $((y + 19 + 62)) sleep 0.3 click 1

# --- 2. The New dialog: 400 x 300.
wait_until 'dialog=$(window New)' || fail "the New dialog did not follow the chooser's new drawing"
keys "$dialog" ctrl+a
type_into "$dialog" 400
keys "$dialog" Tab ctrl+a
type_into "$dialog" 300
keys "$dialog" Return
frame=$(window Korvani 1024x768) || fail "no main window"
read -r fx fy < <(position "$frame")
fw=1024 fh=768
wait_until 'shot "$work/new.png"; read -r cw ch cx cy < <(canvas_inside "$work/new.png"); [ "$cw" = 398 ] && [ "$ch" = 298 ]' ||
  fail "no 400 x 300 canvas after the New dialog (inside ${cw}x${ch})"
# The canvas's top-left corner, on its border.
cx=$((cx - 1)) cy=$((cy - 1))

# --- 3. The tools bar at the left: its checked button is the first (Select);
# below it, one run of dark icon rows per button. The Rectangle is the fifth.
read -r bw bh bx by < <(box_of "$work/new.png" "$checked_colour" "40x$fh+$fx+$fy")
[ "$bw" -ge 20 ] && [ "$bw" -le 40 ] && [ "$bh" -ge 20 ] && [ "$bh" -le 40 ] ||
  fail "no checked Select button at the left (${bw}x${bh})"
bars_bottom=$by
icon_rows() {
  convert "$1" -crop "${bw}x$((fy + fh - by))+${bx}+${by}" +repage -colorspace gray -threshold 55% txt:- |
    sed -n 's/^[0-9]*,\([0-9]*\):.*#000000.*/\1/p' | sort -n | uniq |
    awk -v top="$by" 'NR == 1 { s = $1 } NR > 1 && $1 != p + 1 { print s + top, p + top; s = $1 } { p = $1 } END { print s + top, p + top }'
}
read -r r1 r2 < <(icon_rows "$work/new.png" | sed -n 5p) || true
[ -n "${r2:-}" ] || fail "fewer than five buttons in the tools bar"
tool_x=$((bx + bw / 2)) tool_y=$(((r1 + r2) / 2))
xdotool mousemove "$tool_x" "$tool_y" sleep 0.2 click 1 sleep 0.2 mousemove 1270 1010
wait_until 'shot "$work/tool.png"; read -r bw bh bx by < <(box_of "$work/tool.png" "$checked_colour" "40x$fh+$fx+$fy"); [ "$by" -le "$tool_y" ] && [ $((by + bh)) -gt "$tool_y" ]' ||
  fail "the fifth button of the tools bar (at $tool_x,$tool_y) did not stay checked"

# --- 4. A rectangle from (60, 40) to (220, 160) on the canvas.
xdotool mousemove $((cx + 60)) $((cy + 40)) sleep 0.1 mousedown 1 sleep 0.1 \
  mousemove $((cx + 100)) $((cy + 80)) sleep 0.05 mousemove $((cx + 180)) $((cy + 130)) sleep 0.05 \
  mousemove $((cx + 220)) $((cy + 160)) sleep 0.1 mouseup 1 sleep 0.1 mousemove 1270 1010
# Its row in the items panel (right of the canvas) shows as selected.
wait_until 'shot "$work/drawn.png"; read -r rw rh rx ry < <(box_of "$work/drawn.png" "$row_colour" "600x700+$((cx + 400))+0"); [ "$rw" -gt 50 ]' ||
  fail "no selected row in the items panel after the drag"
[ "$(pixel "$work/drawn.png" $((cx + 140)) $((cy + 100)))" = FFFFFF ] || fail "the rectangle is not filled white"
[ "$(pixel "$work/drawn.png" $((cx + 58)) $((cy + 100)))" = "${canvas_colour#\#}" ] || fail "the new outline is thicker than 1"

# --- 5. Line width 5 in the property bar: of the white boxes above the view,
# the three rightmost are the line width, the angle and the zoom.
read -r lw lh lx ly < <(convert "$work/drawn.png" -crop "${fw}x$((bars_bottom - fy))+$fx+$fy" +repage -fill black +opaque white \
  -define connected-components:verbose=true -define connected-components:area-threshold=300 -connected-components 4 null: |
  awk -v fx="$fx" -v fy="$fy" '/srgb\(255,255,255\)/ { split($2, g, /[x+]/); if (g[1] >= 40 && g[2] >= 15) print g[1], g[2], g[3] + fx, g[4] + fy }' |
  sort -k3,3n | tail -n 3 | head -n 1) || true
[ -n "${ly:-}" ] || fail "no line width box in the property bar"
xdotool mousemove $((lx + lw / 2)) $((ly + lh / 2)) sleep 0.1 click 1
keys "$frame" ctrl+a
type_into "$frame" 5
keys "$frame" Return
xdotool mousemove 1270 1010
wait_until 'shot "$work/width.png"; [ "$(pixel "$work/width.png" $((cx + 58)) $((cy + 100)))" = 000000 ]' ||
  fail "the outline did not grow to 5 after typing it into the box at $lx,$ly"

# --- 6. A new name: double click the row, type, Enter.
xdotool mousemove $((rx + rw / 2)) $((ry + rh / 2)) sleep 0.2 click --repeat 2 --delay 80 1 sleep 0.5
keys "$frame" ctrl+a
type_into "$frame" "$name"
keys "$frame" Return
sleep 0.5
xdotool mousemove 1270 1010 sleep 0.3
import -window "$frame" "$work/editor.png"

# --- 7. Ctrl+S asks for a name: the whole path, Enter.
xdotool mousemove $((cx + 300)) $((cy + 340)) sleep 0.2
keys "$frame" ctrl+s
wait_until 'save=$(window "Save As")' || fail "Ctrl+S did not open the Save As dialog"
type_into "$save" "$drawing"
keys "$save" Return
wait_until '[ -s "$drawing" ]' || fail "the drawing was not saved to $drawing"

# --- 8. File > Exit: saved just now, so the window closes without a question.
keys "$frame" alt+f
sleep 0.5
# The open menu has the keyboard: x is Exit's mnemonic.
xdotool key x
if ! wait_until editor_gone; then
  shot "$work/exit.png"
  fail "File > Exit did not close the editor right after saving (see $work/exit.png)"
fi
wait "$pid" || fail "the editor exited with status $?"
pid=

# --- 9. The file: one rectangle, line width 5, the new name.
[ "$(grep -c '<item ' "$drawing")" = 1 ] || fail "the saved drawing holds other than one item"
grep -q '<item type="104" ' "$drawing" || fail "the saved item is no rectangle"
grep -q ' 310="5.0000" ' "$drawing" || fail "the saved rectangle's line width is not 5"
grep -q " name=\"$name\" " "$drawing" || fail "the saved rectangle is not named \"$name\""

# --- 10. Opened again, the canvas looks like the file's export.
"$korvani" --export "$work/expected.png" "$drawing" || fail "the export of $drawing failed"
start_editor "$drawing"
xdotool mousemove 1270 1010
wait_until 'shot "$work/reopened.png"; read -r cw ch gx gy < <(canvas_inside "$work/reopened.png"); [ "$cw" -ge 300 ]' ||
  fail "the reopened drawing's canvas never showed"
sleep 0.5
shot "$work/reopened.png"
read -r cw ch gx gy < <(canvas_inside "$work/reopened.png")
[ "$cw" = 398 ] && [ "$ch" = 298 ] || fail "the reopened canvas's inside is ${cw}x${ch}, not 398x298"
# Within the border, which the editor draws over the canvas's edge pixels.
convert "$work/reopened.png" -crop "398x298+$gx+$gy" +repage "$work/shown.png"
convert "$work/expected.png" -crop 398x298+1+1 +repage "$work/expected_inside.png"
differing=$(compare -metric AE -fuzz 10% "$work/shown.png" "$work/expected_inside.png" null: 2>&1 || true)
[[ "$differing" =~ ^[0-9]+$ ]] && [ "$differing" -le 40 ] ||
  fail "the canvas on screen differs from the export in $differing pixels ($work/shown.png, $work/expected_inside.png)"

echo "PASS: drew, set, renamed and saved $drawing; reopened, its canvas equals the export ($differing pixels apart)"
