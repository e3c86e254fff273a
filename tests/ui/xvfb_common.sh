# Sourced by the checks of a real window under Xvfb. The caller sets $work
# (its folder) and $log (the program's output), then calls
#   under_xvfb "SERVER OPTIONS" TOOL... -- ARGUMENTS...
# which skips (77) when a tool is missing, runs the caller again inside a new
# X server with ARGUMENTS, and there prepares the session.
under_xvfb() {
  local server=$1
  shift
  if [ "${KORVANI_E2E_INSIDE:-}" != 1 ]; then
    for tool; do
      [ "$tool" = -- ] && break
      command -v "$tool" >/dev/null 2>&1 ||
        { echo "SKIP: $tool is not installed (packages xvfb, xauth, xdotool, imagemagick)"; exit 77; }
      shift
    done
    shift
    mkdir -p "$work"
    rm -f "$work"/*.png "$work"/*.bmp "$log"
    export KORVANI_E2E_INSIDE=1
    exec xvfb-run -a -s "$server" "$0" "$@"
  fi
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  # Settings and kept copies of drawings of the check's own, never the user's.
  rm -rf "$work/data" "$work/config"
  export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
  export ASAN_OPTIONS=detect_leaks=0 # a killed window and the X libraries keep what they allocate
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/korvani-e2e-runtime.XXXXXX)
    chmod 0700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
  fi
}

fail() {
  echo "FAIL: $*" >&2
  [ -s "$log" ] && sed "s/^/$(basename "$log" .log): /" "$log" >&2
  exit 1
}

shot() { import -window root "$1"; }

# The bounding box of the pure red pixels as "W H X Y"; "0 0 0 0" when there are none.
red_box() {
  local box
  box=$(convert "$1" -fill black +opaque '#FF0000' -format '%@' info: 2>/dev/null || true)
  if [[ "$box" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && [ "${BASH_REMATCH[1]}" -gt 0 ] &&
    [ "${BASH_REMATCH[1]}" -lt 1280 ]; then
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}"
  else
    echo "0 0 0 0"
  fi
}

# Polls (up to about 30 s) until the shell condition $1 holds.
wait_until() {
  for _ in $(seq 150); do
    if eval "$1"; then return 0; fi
    sleep 0.2
  done
  return 1
}

# Keys go to window $1: without a window manager nothing gives it the focus.
keys() {
  local target=$1
  shift
  xdotool windowfocus --sync "$target" 2>/dev/null || true
  xdotool key "$@"
}
