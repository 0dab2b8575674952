// The reading modes on real pages, through the keys a user presses: what
// the page script takes from the page and what each mode makes of it.
#include <QTest>
#include <gtest/gtest.h>

#include "browser/lirvan_page.h"
#include "browser_support.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

// Chooses the mode with its key and presses Tab count times; what was said.
Lines Read(BrowserDesktop& browser, CLirvanView& view, int modeKey, int count,
           Qt::KeyboardModifiers modeModifiers = Qt::NoModifier) {
  PressAndSettle(view, modeKey, modeModifiers);
  return Hear(browser, view, Qt::Key_Tab, Qt::NoModifier, count);
}

const char* const kTables =
    "<p>Giriş</p>"
    "<table><tr><th>Ad</th><th>Yaş</th></tr><tr><td>Ali</td><td>30</td></tr></table>"
    "<table><tr><td> </td></tr></table>"
    "<table><caption>Fiyatlar</caption><tr><td>Çay</td><td>5</td></tr></table>";

TEST(Reading, TablesAndCellsWithHeaders) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "tablo.html", HtmlPage("Tablolar", kTables));
  EXPECT_EQ(Read(browser, view, Qt::Key_F7, 4),
            (Lines{"Speak\tAd\tYaş Ali\t30", "Speak\tFiyatlar Çay\t5", "Speak\tSayfanın sonu",
                   "Speak\tAd\tYaş Ali\t30"}));
  EXPECT_EQ(Read(browser, view, Qt::Key_F8, 7),
            (Lines{"Speak\tAd", "Speak\tYaş", "Speak\tAli", "Speak\t30", "Speak\tÇay", "Speak\t5",
                   "Speak\tSayfanın sonu"}));
}

TEST(Reading, SmallSectionsOfNestedSectionsWithoutHiddenText) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "bolum.html",
                   HtmlPage("Bölümler",
                        "<div>Haberler<section><h2>Spor</h2><p>Bir <b>iki</b> üç</p></section></div>"
                        "<script>var gizli = 'betik';</script>"
                        "<style>.gizli { display: none }</style><div class='gizli'>Görünmeyen</div><div hidden>Saklı</div>"
                        "<a href='#son'>Son</a>"));
  EXPECT_EQ(Read(browser, view, Qt::Key_F9, 6),
            (Lines{"Speak\tHaberler", "Speak\tSpor", "Speak\tBir", "Speak\tiki",
                   "Speak\tBağlantı Son", "Speak\tSayfanın sonu"}));
}

TEST(Reading, WordsOnTwoLinesStayTwoWords) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "satir.html",
                   HtmlPage("Satırlar", "<p>Haberler<br>Spor</p><p>Hava</p>"
                                    "<table><tr><td>A</td></tr><tr><td>B</td></tr></table>"));
  EXPECT_EQ(Read(browser, view, Qt::Key_F6, 1), (Lines{"Speak\thaberler spor hava a b"}));
  EXPECT_EQ(Read(browser, view, Qt::Key_F7, 1), (Lines{"Speak\tA B"}));
}

TEST(Reading, LinksWithoutTextAreNamedAndFollowedWithEnter) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.WritePage("hedef.html", HtmlPage("Hedef", "<p>Vardınız</p>"));
  browser.LoadPage(view, "linkler.html",
                   HtmlPage("Bağlantılar",
                        "<a href='a.html'>Haberler</a>"
                        "<a href='b.html'><img alt='Ana sayfa' src='yok.png'></a>"
                        "<a href='c.html' title='Arama'><img src='yok.png'></a>"
                        "<a href='hedef.html'><img src='yok.png'></a>"
                        "<a name='capa'></a>"));
  EXPECT_EQ(Read(browser, view, Qt::Key_F10, 5),
            (Lines{"Speak\tHaberler", "Speak\tAna sayfa", "Speak\tArama", "Speak\thedef.html",
                   "Speak\tSayfanın sonu"}));
  PressAndSettle(view, Qt::Key_Tab);
  PressAndSettle(view, Qt::Key_Tab);
  PressAndSettle(view, Qt::Key_Tab);
  PressAndSettle(view, Qt::Key_Tab);  // the address-only link has the focus
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Return);
  EXPECT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tHedef sayfası yüklendi"));
}

TEST(Reading, SmartReadingMixesSectionsLinksAndFields) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "akilli.html",
                   HtmlPage("Akıllı", "<p>Hoş geldiniz</p><a href='x.html'>Giriş</a>"
                                  "<label>Ad <input name='ad'></label>"
                                  "<input type='hidden' name='gizli' value='1'>"
                                  "<input type='submit'>"));
  EXPECT_EQ(Read(browser, view, Qt::Key_F12, 6),
            (Lines{"Speak\tHoş geldiniz", "Speak\tBağlantı Giriş", "Speak\tAd",
                   "Speak\tAd girdi alanı", "Speak\tgönder düğmesi", "Speak\tSayfanın sonu"}));
}

TEST(Reading, HeadingsModeOnTheHelpPage) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  const Lines said = Read(browser, view, Qt::Key_F6, 3, Qt::ShiftModifier);
  EXPECT_EQ(said, (Lines{"Speak\tBaşlık 1 Lirvan Yardım", "Speak\tBaşlık 2 Bu sayfa nasıl okunur",
                         "Speak\tBaşlık 2 Tuş adları"}));
}

TEST(Reading, SearchWorksInModeAllOnly) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("A", "<p>Metin</p>"));
  PressAndSettle(view, Qt::Key_F7);
  browser.desktop().Mark();
  for (int key : {int(Qt::Key_H), int(Qt::Key_Left), int(Qt::Key_Right)}) {
    PressAndSettle(view, key, Qt::ControlModifier);
  }
  PressAndSettle(view, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\ttümünü okuma biçimine geçiniz", "Speak\ttümünü okuma biçimine geçiniz",
                   "Speak\ttümünü okuma biçimine geçiniz",
                   "Speak\tarama yapmak için tümünü okuma biçimine geçiniz"}));
}

}  // namespace
}  // namespace lirvan::test
