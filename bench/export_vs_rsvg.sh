#!/usr/bin/env bash
# PNG export of the seeded scenes by `korvani --export` beside rsvg-convert on
# the same picture as SVG, timed as whole processes in one run (hyperfine),
# with each one's peak memory. Needs a release build (./run.sh builds one, or
# build/bench) and the Debian packages librsvg2-bin, hyperfine and time.
#   bench/export_vs_rsvg.sh [build/release/korvani] [N ...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
korvani=${1:-$here/build/release/korvani}
shift || true
sizes=("${@:-10000 100000}")
scene_py=$here/bench/scene.py
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for n in ${sizes[@]}; do
  python3 "$scene_py" "$n" --korvani "$work/scene$n.xml" --svg "$work/scene$n.svg"
  echo "== $n items"
  hyperfine --warmup 1 --runs 5 \
    -n korvani "$korvani --export $work/k$n.png $work/scene$n.xml" \
    -n rsvg-convert "rsvg-convert $work/scene$n.svg -o $work/r$n.png"
  for tool in korvani rsvg; do
    if [ $tool = korvani ]; then cmd=("$korvani" --export "$work/k$n.png" "$work/scene$n.xml");
    else cmd=(rsvg-convert "$work/scene$n.svg" -o "$work/r$n.png"); fi
    /usr/bin/time -f "$tool peak memory: %M KiB" "${cmd[@]}"
  done
  [ -n "${KEEP_PICTURES:-}" ] && cp "$work/k$n.png" "$work/r$n.png" "$KEEP_PICTURES/"
done
