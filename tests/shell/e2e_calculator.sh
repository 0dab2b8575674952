#!/usr/bin/env bash
# End to end: the real desktop under Xvfb with a window manager, driven by
# xdotool as a user's keyboard would: Ctrl+5, 2^10, Enter, Escape, Alt+D.
# The speech log tells what was said.
#   e2e_calculator.sh LIRVAN_BINARY VOICE_HOME
set -u
LIRVAN=$1
VOICE_HOME=$2
# shellcheck source=../support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"

start_lirvan
wait_until "the greeting" 150 logged $'Speak\tLirvan konuşan masaüstü'

xdotool key ctrl+5
wait_until "the calculator" 100 logged $'Speak\tHesap makinesi açıldı'
xdotool type --delay 60 '2^10'
wait_until "the echo of 2^10" 100 count_logged $'SpeakCharacter\t' 4
xdotool key Return
wait_until "the result" 100 logged $'Speak\t1024'
xdotool key Escape
wait_until "the calculator to close" 50 no_window '^Hesap Makinesi$'
wait_until "the empty desktop named" 100 logged $'Speak\tLirvan, açık araç yok'
xdotool key alt+d
wait_until "the date and time" 100 logged $'Speak\tbugün '

EXPECTED=$(printf '%s\n' \
  $'SetPunctuationReading\t1' \
  "Speak	$(grep -m1 -oP '(?<=^Speak\t)Lirvan konuşan masaüstü.*' "$LOG")" \
  $'Speak\tHesap makinesi açıldı' \
  $'SpeakCharacter\t2' $'SpeakCharacter\t^' $'SpeakCharacter\t1' $'SpeakCharacter\t0' \
  $'Speak\t1024' \
  $'Speak\tLirvan, açık araç yok')
ACTUAL=$(head -9 "$LOG")
[ "$ACTUAL" = "$EXPECTED" ] || fail "unexpected speech; wanted:
$EXPECTED"
LAST=$(tail -1 "$LOG")
[[ "$LAST" =~ ^Speak$'\t'bugün\ [0-9]{1,2}\ [^\ ]+\ [0-9]{4}\ [^\ ]+\ saat\ şu\ anda\ [0-9]{1,2}\ [0-9]{1,2}$ ]] ||
  fail "the date and time sentence is malformed: $LAST"
[ "$(wc -l <"$LOG")" -eq 10 ] || fail "more was said than expected"
kill -0 "$LIRVAN_PID" 2>/dev/null || fail "lirvan ended on its own"
echo "PASS"
