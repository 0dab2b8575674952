# The real desktop under Xvfb with a window manager, for end-to-end runs
# driven by xdotool as a user's keyboard would. Sourced by the e2e scripts
# after they set LIRVAN and VOICE_HOME; gives WORK (a private folder, removed
# at the end), LOG (the speech log), fail, wait_until, logged, count_logged,
# no_window, start_lirvan [ARGS...] and activate_main. Every process started
# here is stopped when the script ends, pass or fail.
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
  echo "--- openbox" >&2
  cat "$WORK/openbox.out" >&2 2>/dev/null
  echo "--- xdotool" >&2
  sort "$WORK/xdotool.err" 2>/dev/null | uniq -c >&2
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

logged() { grep -qF -- "$1" "$LOG"; }
count_logged() { [ "$(grep -cF -- "$1" "$LOG")" -ge "$2" ]; }
no_window() { ! xdotool search --name "$1"; }

# A private home: links to the voice, no settings file (so it greets).
mkdir -p "$WORK/home/veriler"
for f in "$VOICE_HOME"/veriler/*; do
  [ "$(basename "$f")" = ayarlar.dat ] || ln -s "$f" "$WORK/home/veriler/"
done

# xprop succeeds on a missing property too: wait for what activation needs.
wm_ready() { xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW; }

# Xvfb picks a free display itself and writes its number, so runs side by
# side never share one. Without a window manager new dialogs never become
# active. On a busy machine a server now and then goes away before its
# window manager connects: the pair is then started afresh.
start_x() {
  local attempt xvfb wm
  for attempt in 1 2 3; do
    : >"$WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.out" 2>&1 &
    xvfb=$!
    PIDS+=("$xvfb")
    wait_until "Xvfb" 100 grep -q '[0-9]' "$WORK/display"
    export DISPLAY=:$(tr -dc '0-9' <"$WORK/display")
    openbox --sm-disable >"$WORK/openbox.out" 2>&1 &
    wm=$!
    PIDS+=("$wm")
    for _ in $(seq 100); do
      wm_ready 2>/dev/null && return 0
      kill -0 "$wm" 2>/dev/null || break
      sleep 0.1
    done
    echo "X session attempt $attempt failed" >>"$WORK/xvfb.out"
    kill "$wm" "$xvfb" 2>/dev/null
    wait "$wm" "$xvfb" 2>/dev/null
  done
  fail "timed out waiting for the window manager"
}
start_x


# Starts the desktop in a private home (links to the voice; a settings file
# only when $SETTINGS is set) and waits for the main window to be active.
start_lirvan() {
  if [ -n "${SETTINGS:-}" ]; then printf '%s' "$SETTINGS" >"$WORK/home/veriler/ayarlar.dat"; fi
  QT_QPA_PLATFORM=xcb "$LIRVAN" --home "$WORK/home" --audio null --speech-log "$LOG" "$@" \
    >"$WORK/lirvan.out" 2>&1 &
  LIRVAN_PID=$!
  PIDS=("$LIRVAN_PID" "${PIDS[@]}")
  wait_until "the first words" 150 test -s "$LOG"
  wait_until "the main window to become active" 100 activate_main
}

# The window manager may not have taken the window yet when it is first
# seen; activation is tried again until it holds.
activate_main() {
  local window
  for window in $(xdotool search --onlyvisible --name '^Lirvan'); do
    timeout 5 xdotool windowactivate --sync "$window" 2>>"$WORK/xdotool.err" && return 0
  done
  return 1
}
