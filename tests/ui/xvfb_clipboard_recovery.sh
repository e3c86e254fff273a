#!/usr/bin/env bash
# End-to-end check of two editors under Xvfb. The first copies its red box;
# a second editor pastes it through the X clipboard and saves. The first then
# moves and duplicates the box and is killed (SIGKILL); started again, the
# editor offers the kept copy, Return restores it, Ctrl+S saves it to the
# file it belonged to, and that file equals what a scripted run of the same
# edits writes.
#
#   xvfb_clipboard_recovery.sh KORVANI_BINARY WORK_DIR
#
# Exits 77 (skipped) when xvfb-run, xdotool or ImageMagick is missing.
set -euo pipefail

korvani=${1:?usage: xvfb_clipboard_recovery.sh KORVANI_BINARY WORK_DIR}
work=${2:?usage: xvfb_clipboard_recovery.sh KORVANI_BINARY WORK_DIR}
log=$work/korvani.log
. "$(dirname "$0")/xvfb_common.sh"
under_xvfb "-screen 0 1280x1024x24" xvfb-run xauth xdotool import convert -- "$korvani" "$work"

# Copies are written a second after a change.
export KORVANI_RECOVERY_SECONDS=1
kept="$XDG_DATA_HOME/Local AppWizard-Generated Applications/Korvani/recovery"
# A 400 x 300 white canvas with one red box from (60, 40) to (160, 110).
cp "$(dirname "$0")/../data/red_box.xml" "$work/first.xml"
cp "$work/first.xml" "$work/second.xml"
cp "$work/first.xml" "$work/original.xml"

pids=()
# SIGKILL, quietly: the shell would report the killed job.
kill_editor() {
  { kill -9 "$1" && wait "$1"; } 2>/dev/null || true
}
stop_all() {
  for p in "${pids[@]}"; do kill_editor "$p"; done
}
trap stop_all EXIT

# Starts the editor with its arguments and waits until one more window shows;
# $wid is then that window.
start_editor() {
  local before
  before=$(xdotool search --onlyvisible --name '^Korvani$' 2>/dev/null | sort || true)
  "$korvani" "$@" >>"$log" 2>&1 &
  pids+=($!)
  for _ in $(seq 300); do
    wid=$(xdotool search --onlyvisible --name '^Korvani$' 2>/dev/null | sort | comm -13 <(echo "$before") - | head -n1 || true)
    [ -n "$wid" ] && return 0
    sleep 0.2
  done
  fail "the editor's window did not appear"
}



count() { grep -c "$1" "$2" || true; }

start_editor "$work/first.xml"
first=$wid
wait_until 'shot "$work/first.png"; read -r w h x y < <(red_box "$work/first.png"); [ "$w" -gt 0 ]' ||
  fail "the red box never showed"
cx=$((x + w / 2)) cy=$((y + h / 2))
xdotool mousemove "$cx" "$cy" sleep 0.2 click 1 sleep 0.2
keys "$first" ctrl+c

# The second editor's window lies over the first; over its view (not the items
# panel) it pastes and saves.
start_editor "$work/second.xml"
sleep 1
xdotool mousemove 700 600 sleep 0.2
keys "$wid" ctrl+v
sleep 0.3
keys "$wid" ctrl+s
wait_until '[ "$(count "x=\"60.00\" y=\"40.00\"" "$work/second.xml")" = 2 ]' ||
  fail "the second editor did not paste the first one's box in place and save it"
[ "$(count '<item type="104"' "$work/second.xml")" = 2 ] || fail "the paste added other than one box"
# Saved, it keeps no copy; only the first editor's is left.
wait_until '[ "$(ls "$kept"/*.ini 2>/dev/null | wc -l)" = 0 ]' || fail "a copy was left after the save"
kill_editor "${pids[1]}"

# The first editor: the box five units right, then duplicated; killed once its copy was written.
keys "$first" Right Right Right Right Right
sleep 0.2
keys "$first" ctrl+d
sleep 3
wait_until '[ "$(ls "$kept"/*.ini 2>/dev/null | wc -l)" = 1 ]' || fail "no copy of the unsaved drawing was kept"
kill_editor "${pids[0]}"
cmp -s "$work/first.xml" "$work/original.xml" || fail "the killed editor changed its file"

cat >"$work/edits.txt" <<'SCRIPT'
press 110 75
release 110 75
key Right
key Right
key Right
key Right
key Right
command ID_DUPLICATE
SCRIPT
"$korvani" --actions "$work/edits.txt" "$work/original.xml" --export "$work/expected.xml" ||
  fail "the scripted run of the same edits failed"

# Started again: the question sits in the middle of the window (1024 x 768 at the
# top left without a window manager); Return restores.
start_editor
sleep 2
xdotool mousemove 512 384 sleep 0.3 key Return sleep 1 mousemove 700 600 sleep 0.3
keys "$wid" ctrl+s
wait_until 'cmp -s "$work/first.xml" "$work/expected.xml"' ||
  fail "the restored and saved drawing differs from the one before the kill (see $work/first.xml)"
wait_until '[ "$(ls "$kept"/*.ini "$kept"/*.xml 2>/dev/null | wc -l)" = 0 ]' || fail "copies were left after the restore and save"

echo "PASS: pasted across editors; restored after SIGKILL and saved equal to $work/expected.xml"
