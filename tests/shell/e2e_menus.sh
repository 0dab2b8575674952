#!/usr/bin/env bash
# End to end: the menus heard as a user moves through them with the keyboard.
# Alt+A opens the tools menu (named with its first entry), the arrows move
# down its entries (each said with its key) and on to the next menu, Escape
# closes it.
#   e2e_menus.sh LIRVAN_BINARY VOICE_HOME
set -u
LIRVAN=$1
VOICE_HOME=$2
# shellcheck source=../support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"

SETTINGS=$'0 0 1\n'
start_lirvan
wait_until "the ready sentence" 100 logged $'Speak\tLirvan hazır'

said_last() { [ "$(tail -1 "$LOG")" = "$1" ]; }
step() {
  local key=$1 expected=$2
  xdotool key "$key"
  wait_until "\"$expected\" after $key" 100 said_last "$expected"
}

xdotool key alt+a
wait_until "the tools menu" 100 said_last $'Speak\tAraçlar, İnternet gezgini, Kontrol 1'
step Down $'Speak\tMetin düzenleyici, Kontrol 2'
step Down $'Speak\tPosta oku, Kontrol 4'
step Down $'Speak\tPosta gönder, Kontrol 3'
step Down $'Speak\tHesap Makinesi, Kontrol 5'
step Down $'Speak\tProgram ayarları, F 2'
step Down $'Speak\tProgramdan çıkış'
step Right $'Speak\tYardım, Genel Yardım, F 1'
step Down $'Speak\tProgram hakkında'
xdotool key Escape Escape
sleep 0.5
kill -0 "$LIRVAN_PID" 2>/dev/null || fail "lirvan ended on its own"
grep -q $'Speak\tYardım' "$LOG" || fail "the help menu was not named"
echo "PASS"
