#!/usr/bin/env bash
# Sets up Lirvan on Debian 12 and runs it:
#   scripts/lirvan.sh run    install what is missing, build, generate the voice, start the desktop
#   scripts/lirvan.sh test   the same set-up, then every test (sanitizer builds included)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
MODE=${1:-run}
JOBS=$(nproc)

PACKAGES=(cmake g++ make pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  portaudio19-dev libespeak-ng-dev espeak-ng libfftw3-dev libsndfile1-dev libsonic-dev
  qt6-base-dev qt6-webengine-dev zlib1g-dev libpoppler-cpp-dev
  libreoffice-writer-nogui libreoffice-calc-nogui cups
  dovecot-pop3d openssl postfix
  speech-dispatcher info
  xvfb xdotool openbox x11-utils)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    # The mail tests start private postfix instances; the system's own
    # postfix stays unconfigured and never runs.
    echo "postfix postfix/main_mailer_type select No configuration" | as_root debconf-set-selections
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
  fi
}

build_main() {
  cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$ROOT/build" -j"$JOBS"
}

# Sanitizer builds reuse the main build's voice. The thread build is the
# engine's (no Qt); the address build holds the desktop too, so its
# offscreen GUI tests run under AddressSanitizer as well.
build_sanitized() {
  local kind=$1 dir=$2 qt=$3
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DLIRVAN_SANITIZE="$kind" \
    -DLIRVAN_WITH_QT="$qt" -DLIRVAN_WITH_VOICE=OFF -DLIRVAN_WITH_BENCH=OFF \
    -DLIRVAN_VOICE_HOME="$ROOT/build/home"
  cmake --build "$dir" -j"$JOBS"
}

install_missing
build_main

case "$MODE" in
  run)
    # The desktop greets in its window; it needs a graphical session.
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "lirvan needs a graphical session: DISPLAY is not set" >&2
      exit 1
    fi
    exec "$ROOT/build/shell/lirvan" "${@:2}"
    ;;
  test)
    (cd "$ROOT/build" && ctest --output-on-failure -j"$JOBS")
    build_sanitized thread "$ROOT/build-tsan" OFF
    (cd "$ROOT/build-tsan" && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
      ctest --output-on-failure -L nodisplay -j"$JOBS")
    build_sanitized address "$ROOT/build-asan" ON
    # Qt WebEngine's own processes cannot run under AddressSanitizer.
    (cd "$ROOT/build-asan" && ASAN_OPTIONS="detect_leaks=1" \
      LSAN_OPTIONS="suppressions=$ROOT/tests/sanitizers/lsan.supp print_suppressions=0" \
      UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
      ctest --output-on-failure -LE webengine -j"$JOBS")
    ;;
  *)
    echo "usage: scripts/lirvan.sh run|test" >&2
    exit 2
    ;;
esac
