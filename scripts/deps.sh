#!/usr/bin/env bash
# Installs the Debian packages Korvani needs to build, test and run, when any
# is missing. Sourced by run.sh and test.sh; quiet and quick when all are there.
korvani_packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev
  qt6-image-formats-plugins libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2
  xvfb xauth xdotool libwmf-dev libemf2svg-dev fonts-urw-base35 libxml2-dev locales librsvg2-bin imagemagick python3
  libxml2-utils poppler-utils)

korvani_install_missing() {
  local missing=() p
  for p in "${korvani_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || return 1
}

korvani_private_runtime_dir() {
  if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "${XDG_RUNTIME_DIR}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d /tmp/korvani-runtime.XXXXXX)
    chmod 0700 "$XDG_RUNTIME_DIR"
    export XDG_RUNTIME_DIR
  fi
}

# Tests check that numbers stay "2.5000" under a decimal-comma locale.
korvani_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || echo "note: could not generate the de_DE.UTF-8 locale; the locale test will be skipped"
}
