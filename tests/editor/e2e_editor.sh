#!/usr/bin/env bash
# End to end: the real desktop under Xvfb with a window manager, driven by
# xdotool as a user's keyboard would: open an editor, type a few words,
# where-am-I, find, save to a typed path, open it again. The speech log
# and the saved file tell what happened.
#   e2e_editor.sh LIRVAN_BINARY VOICE_HOME
set -u
LIRVAN=$1
VOICE_HOME=$2
# shellcheck source=../support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"

said_line() { grep -qxF -- "$1" "$LOG"; }
# The log since line $1 holds the lines given, in this order.
said_in_order() {
  local from=$1
  shift
  tail -n +"$from" "$LOG" | grep -xF -f <(printf '%s\n' "$@") >"$WORK/found" || return 1
  [ "$(cat "$WORK/found")" = "$(printf '%s\n' "$@")" ]
}
mark() { wc -l <"$LOG"; }

mkdir -p "$WORK/belgeler"
SETTINGS=$'0 0 1\n' start_lirvan

xdotool key ctrl+2
wait_until "the editor" 100 said_line $'Speak\tMetin düzenleyici açıldı'

FROM=$(mark)
xdotool type --delay 40 'merhaba dunya '
wait_until "the words" 100 said_in_order "$FROM" \
  $'SpeakAndWait\tmerhaba' $'SpeakCharacter\t ' $'SpeakAndWait\tdunya' $'SpeakCharacter\t '

FROM=$(mark)
xdotool key Left Left
xdotool key ctrl+w
wait_until "where am I" 100 said_in_order "$FROM" \
  $'SpeakDirect\t1' $'SpeakAndWait\tnumaralı satırdasınız' $'SpeakAndWait\tdunya' \
  $'SpeakAndWait\tkelimesinin üzerindesiniz'

FROM=$(mark)
xdotool key ctrl+f
wait_until "the find dialog" 100 said_in_order "$FROM" $'Speak\tAranacak kelime'
xdotool type --delay 40 'dunya'
xdotool key Return
wait_until "the match" 100 said_in_order "$FROM" \
  $'SpeakAndWait\tdunya' $'SpeakDirect\t1' $'SpeakAndWait\tnumaralı satırda bulundu'

FROM=$(mark)
xdotool key ctrl+s
wait_until "the save chooser" 100 said_in_order "$FROM" $'SpeakAndWait\tKaydet'
sleep 1
xdotool type --delay 30 "$WORK/belgeler/notlar"
sleep 0.5
xdotool key Return
wait_until "the save" 100 said_in_order "$FROM" $'SpeakAndWait\tkaydedildi'
[ "$(cat "$WORK/belgeler/notlar.txt")" = "merhaba dunya " ] || fail "the file holds: $(cat "$WORK/belgeler/notlar.txt")"

# A change, so that the saved text coming back is seen.
xdotool key ctrl+End BackSpace
FROM=$(mark)
xdotool key ctrl+o
wait_until "the question about the change" 100 said_in_order "$FROM" \
  $'SpeakAndWait\tDeğişiklikler kaydedilsin mi?'
xdotool key Tab Return
wait_until "the open chooser" 100 said_in_order "$FROM" $'SpeakAndWait\tAç'
sleep 1
xdotool type --delay 30 "$WORK/belgeler/notlar.txt"
sleep 0.5
xdotool key Return
wait_until "the open" 100 said_in_order "$FROM" $'SpeakAndWait\tDosya açılıyor' \
  $'SpeakAndWait\tDosya açıldı'
FROM=$(mark)
xdotool key ctrl+a
wait_until "the text read back" 100 said_in_order "$FROM" $'Speak\tmerhaba dunya '

kill -0 "$LIRVAN_PID" 2>/dev/null || fail "lirvan ended on its own"
echo "PASS"
