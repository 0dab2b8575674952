# Shared by the end-to-end runs of the real desktop under Xvfb with a
# window manager: a work folder, a private home linked to the voice, the
# display, the program, and clean-up of all of it, pass or fail.
# Source it; then call e2e_start_desktop FIRST_DISPLAY LAST_DISPLAY [SETTINGS].
WORK=$(mktemp -d)
LOG=$WORK/speech.log
PIDS=()

cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${PIDS[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- speech log" >&2
  cat "$LOG" >&2 2>/dev/null
  echo "--- lirvan output" >&2
  cat "$WORK/lirvan.out" >&2 2>/dev/null
  exit 1
}

# Waits up to $2 tenths of a second for a command to succeed.
wait_until() {
  local what=$1 tenths=$2
  shift 2
  for _ in $(seq "$tenths"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "timed out waiting for $what"
}

# A private home with links to the voice; SETTINGS, when given, is written
# as its settings file (none: the program greets).
e2e_make_home() {
  mkdir -p "$WORK/home/veriler"
  for f in "$VOICE_HOME"/veriler/*; do
    [ "$(basename "$f")" = ayarlar.dat ] || ln -s "$f" "$WORK/home/veriler/"
  done
  if [ $# -gt 0 ]; then printf '%s' "$1" >"$WORK/home/veriler/ayarlar.dat"; fi
}

# Xvfb on the first free display in the range, and openbox: without a
# window manager new dialogs never become active.
e2e_start_display() {
  local n number=
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then number=$n; break; fi
  done
  [ -n "$number" ] || fail "no free display number"
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.out" 2>&1 &
  PIDS+=($!)
  wait_until "Xvfb" 100 test -S "/tmp/.X11-unix/X$number"
  export DISPLAY=:$number
  openbox --sm-disable >"$WORK/openbox.out" 2>&1 &
  PIDS+=($!)
  wait_until "the window manager" 100 xprop -root _NET_SUPPORTING_WM_CHECK
}

# The program, logging what it says; LIRVAN_PID is its process.
e2e_start_lirvan() {
  QT_QPA_PLATFORM=xcb "$LIRVAN" --home "$WORK/home" --audio null --speech-log "$LOG" \
    >"$WORK/lirvan.out" 2>&1 &
  LIRVAN_PID=$!
  PIDS=("$LIRVAN_PID" "${PIDS[@]}")
}

# Waits for the main window and gives it the keyboard.
e2e_activate_main_window() {
  wait_until "the main window" 150 xdotool search --onlyvisible --name '^Lirvan$'
  local window
  window=$(xdotool search --onlyvisible --name '^Lirvan$' | head -1)
  timeout 10 xdotool windowactivate --sync "$window" || fail "the main window cannot be activated"
}
