#!/usr/bin/env bash
# sd_lirvan under a private speech-dispatcher: a throw-away configuration,
# runtime folder and socket; the server's audio goes to ALSA's file plugin
# (nothing audible) and the module's output is captured on its way to the
# server. spd-say speaks a Turkish sentence, SSML with marks, and a long
# text stopped in the middle. The server is stopped whatever happens; a
# server that does not start fails the test.
#   real_dispatcher_test.sh SD_LIRVAN LIRVAN_SAY VOICE_HOME
set -u
MODULE=$(realpath "$1") SAY=$(realpath "$2") VOICE=$(realpath "$3")
WORK=$(mktemp -d /tmp/lirvan-sd-test.XXXXXX)
SERVER_PID=""
fail() { echo "FAIL: $*" >&2; exit 1; }

cleanup() {
  if [ -n "$SERVER_PID" ] && kill -0 "$SERVER_PID" 2>/dev/null; then
    kill "$SERVER_PID" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$SERVER_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$SERVER_PID" 2>/dev/null
    wait "$SERVER_PID" 2>/dev/null
  fi
  # The module, should the server have left it behind: only ours, by its pid.
  if [ -f "$WORK/module.pid" ]; then kill -9 "$(cat "$WORK/module.pid")" 2>/dev/null; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

command -v speech-dispatcher >/dev/null || fail "speech-dispatcher is not installed (scripts/lirvan.sh installs it)"
mkdir -p "$WORK/conf/modules" "$WORK/run" "$WORK/home"
cat > "$WORK/home/.asoundrc" <<ALSA
pcm.!default {
  type file
  slave.pcm "null"
  file "$WORK/played.raw"
  format "raw"
}
ALSA
# The module's output is kept on its way to the server.
cat > "$WORK/module.sh" <<WRAP
#!/usr/bin/env bash
echo \$\$ > "$WORK/module.pid"
exec "$MODULE" "\$@" > >(tee -a "$WORK/module.out")
WRAP
chmod +x "$WORK/module.sh"
echo "LirvanVoiceHome \"$VOICE\"" > "$WORK/conf/modules/lirvan.conf"
cat > "$WORK/conf/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AddModule "lirvan" "$WORK/module.sh" "$WORK/conf/modules/lirvan.conf"
DefaultModule lirvan
DefaultLanguage "tr"
CONF

export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run" XDG_CONFIG_HOME="$WORK/home/.config"
export SPEECHD_ADDRESS="unix_socket:$WORK/run/sock"
speech-dispatcher -s -l 3 -L "$WORK/run" -C "$WORK/conf" -c unix_socket -S "$WORK/run/sock" \
  -P "$WORK/run/pid" -t 0 > "$WORK/server.log" 2>&1 &
SERVER_PID=$!
for _ in $(seq 100); do [ -S "$WORK/run/sock" ] && break; sleep 0.1; done
[ -S "$WORK/run/sock" ] || { cat "$WORK/server.log" >&2; fail "speech-dispatcher did not start"; }

say() { timeout 30 spd-say -o lirvan -l tr "$@"; }

# A Turkish sentence: spoken whole, as long as lirvan-say makes it.
SENTENCE="Bugün hava çok güzel, dışarı çıkalım mı?"
say -w "$SENTENCE" || fail "spd-say did not finish the sentence"
grep -aq '^702 END' "$WORK/module.out" || fail "no END for the sentence"
played=$(stat -c %s "$WORK/played.raw" 2>/dev/null || echo 0)
"$SAY" --home "$VOICE" --no-punctuation --out "$WORK/say.wav" "$SENTENCE" || fail "lirvan-say failed"
expected=$(( $(stat -c %s "$WORK/say.wav") - 44 ))
echo "sentence: played $played bytes, lirvan-say $expected bytes"
[ "$played" -gt 0 ] || fail "the server played nothing"
diff=$(( played > expected ? played - expected : expected - played ))
[ $(( diff * 100 )) -le $(( expected * 5 )) ] || fail "played $played bytes, lirvan-say $expected (more than 5% apart)"

# SSML with marks: each reported as reached, in order, before the end.
: > "$WORK/module.out"
say -w -x '<speak>Bir <mark name="birinci"/>iki <break time="200ms"/><mark name="ikinci"/>üç</speak>' \
  || fail "spd-say did not finish the SSML text"
marks=$(grep -a '^700-' "$WORK/module.out" | tr '\n' ' ')
[ "$marks" = "700-birinci 700-ikinci " ] || fail "marks reported: '$marks'"
grep -aq '^702 END' "$WORK/module.out" || fail "no END for the SSML text"

# A long text stopped in the middle: STOP reported, the rest never played.
: > "$WORK/module.out"
LONG=$(for i in $(seq 300); do printf 'Bu uzun metnin %d. cümlesi okunuyor. ' "$i"; done)
say -w "$LONG" & SAYING=$!
for _ in $(seq 100); do grep -aq '^705 AUDIO' "$WORK/module.out" && break; sleep 0.05; done
say -S
wait "$SAYING"
for _ in $(seq 100); do grep -aq '^70[23] ' "$WORK/module.out" && break; sleep 0.05; done
grep -aq '^703 STOP' "$WORK/module.out" || fail "no STOP event after spd-say -S"
grep -aq '^702 END' "$WORK/module.out" && fail "the long text was spoken to its end"
after=$(sed -n '/^703 STOP/,$p' "$WORK/module.out" | grep -ac '^705 AUDIO')
[ "$after" -eq 0 ] || fail "audio handed on after STOP"

# The server still serves after the stop.
say -w "Tamam." || fail "spd-say after the stop"
echo "PASS"
