#!/usr/bin/env bash
# End to end: the real desktop's browser under Xvfb with a window manager,
# driven by xdotool as a user's keyboard would. Open a browser and hear the
# help page, go to a local page by its address, read it in two modes, add it
# as a favourite and open it again from the list. The speech log tells what
# was said; the favourites files are checked byte for byte.
#   e2e_browser.sh LIRVAN_BINARY VOICE_HOME
set -u
LIRVAN=$1
VOICE_HOME=$2
# shellcheck source=../support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
HOME_DIR=$WORK/home

cat >"$HOME_DIR/deneme.html" <<'PAGE'
<!DOCTYPE html><html><head><meta charset="utf-8"><title>Deneme</title></head>
<body><h1>Haberler</h1><p>Bugün hava <b>güneşli</b> olacak.</p>
<a href="yardim.html">Yardım</a> <a href="https://ornek.com.tr/">Örnek</a></body></html>
PAGE

QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu start_lirvan
wait_until "the greeting" 150 logged $'Speak\tLirvan konuşan masaüstü'

xdotool key ctrl+1
wait_until "the help page" 300 logged $'SpeakAndWait\tLirvan Yardım sayfası yüklendi'

xdotool key ctrl+n
wait_until "the address dialog" 100 logged $'Speak\tAdres Giriniz'
xdotool type --delay 40 'deneme.html'
wait_until "the echo of the address" 100 count_logged $'SpeakCharacter\t' 11
xdotool key Return
wait_until "the local page" 200 logged $'SpeakAndWait\tDeneme sayfası yüklendi'

# Small sections, then links.
xdotool key F9
wait_until "the small sections mode" 100 logged $'SpeakAndWait\tokuma biçimi küçük bölümler'
for expected in 'Haberler' 'Bugün hava' 'güneşli'; do
  xdotool key Tab
  wait_until "the section $expected" 100 logged "Speak	$expected"
done
xdotool key F10
wait_until "the links mode" 100 logged $'SpeakAndWait\tokuma biçimi bağlantılar'
xdotool key Tab
wait_until "the first link" 100 logged $'Speak\tYardım'
xdotool key Tab
wait_until "the second link" 100 logged $'Speak\tÖrnek'

# Add it as a favourite.
xdotool key alt+e
wait_until "the add-favourite dialog" 100 logged $'Speak\tFavorinize eklemek için sayfa isimi giriniz'
xdotool type --delay 40 'Deneme'
wait_until "the echo of the name" 100 count_logged $'SpeakCharacter\t' 17
xdotool key Return
wait_until "the favourite added" 100 logged $'Speak\tFavori sayfanız eklendi'

# Away and back through the list.
xdotool key alt+Left
wait_until "the help page again" 300 count_logged $'SpeakAndWait\tLirvan Yardım sayfası yüklendi' 2
xdotool key alt+f
wait_until "the favourites list" 100 logged $'Speak\tYukarı ve Aşağı Yön Tuşlarını Kullanarak Seçiminizi Yapınız'
xdotool key Down
wait_until "the empty first line" 100 logged $'Speak\tboş satır'
xdotool key Down
wait_until "the favourite's name" 100 logged $'Speak\tDeneme'
xdotool key Return
wait_until "the favourite opened" 300 count_logged $'SpeakAndWait\tDeneme sayfası yüklendi' 2

ADDRESS="file://$HOME_DIR/deneme.html"
printf '\n%s\0' "$ADDRESS" | cmp -s - "$HOME_DIR/veriler/adresler.txt" ||
  fail "adresler.txt is not LF, the address, NUL: $(od -c "$HOME_DIR/veriler/adresler.txt" | head -5)"
printf '\nDeneme\0' | cmp -s - "$HOME_DIR/veriler/kisayollar.txt" ||
  fail "kisayollar.txt is not LF, the name, NUL: $(od -c "$HOME_DIR/veriler/kisayollar.txt")"
logged $'Sayfa erişilemedi' && fail "a page could not be reached"
kill -0 "$LIRVAN_PID" 2>/dev/null || fail "lirvan ended on its own"
echo "PASS"
