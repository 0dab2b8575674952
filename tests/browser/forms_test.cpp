// Form fields on a real page: how each is named, choice fields toggled by
// key, selection lists read option by option without the page hearing of it
// until Enter, and typing into a field with its echo and read-back.
#include <QTest>
#include <gtest/gtest.h>

#include "browser/lirvan_page.h"
#include "browser_support.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

const char* const kEveryInput =
    "<form onsubmit='return false'>"
    "<label for='ad'>Adınız</label><input id='ad' name='ad'>"
    "<input type='password' aria-label='Parola' name='p'>"
    "<input type='email' placeholder='E-posta adresi' name='e'>"
    "<input type='search' title='Ara' name='s'>"
    "<input type='number' name='yas'>"
    "<label>Mesaj<textarea name='m'></textarea></label>"
    "<label><input type='checkbox' name='bulten'> Bülten</label>"
    "<input type='radio' name='r' aria-label='Evet' checked>"
    "<input type='hidden' name='gizli' value='1'>"
    "<input type='file' name='dosya'>"
    "<input type='range' name='ses'>"
    "<label>Şehir <select name='sehir'><option>Ankara</option><option>İzmir</option>"
    "<option>Van</option></select></label>"
    "<input type='button' value='Hesapla'>"
    "<button type='button'>Gönder</button>"
    "<input type='image' alt='Tamam' src='yok.png'>"
    "<input type='reset'>"
    "<input type='submit' value='Ara'>"
    "<input type='submit'>"
    "</form>";

TEST(Forms, EveryKindOfFieldIsNamedInFormsMode) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "form.html", HtmlPage("Form", kEveryInput));
  PressAndSettle(view, Qt::Key_F11);
  browser.desktop().Mark();
  for (int i = 0; i < 18; ++i) PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tAdınız girdi Alanı",
                   "Speak\tParola Şifre Alanı",
                   "Speak\tE-posta adresi girdi Alanı",
                   "Speak\tAra girdi Alanı",
                   "Speak\tyas girdi Alanı",
                   "Speak\tMesaj metin girdi alanı",
                   "SpeakAndWait\tBülten",
                   "Speak\tSeçim alanı seçilmiş değil seçmek için ŞİFT ENTIR tuşuna basınız",
                   "SpeakAndWait\tEvet",
                   "Speak\tSeçim alanı seçilmiş durumda iptal etmek için ŞİFT ENTIR tuşuna basınız",
                   "SpeakAndWait\tŞehir",
                   "Speak\tSeçenek Ankara",
                   "Speak\tSeçenek İzmir",
                   "Speak\tSeçenek Van",
                   "Speak\tHesapla düğmesi",
                   "Speak\tGönder düğmesi",
                   "Speak\tTamam düğmesi",
                   "Speak\ttemizle düğmesi",
                   "Speak\tAra gönder düğmesi",
                   "Speak\t gönder düğmesi",
                   "Speak\tSayfanın sonu"}));
}

const char* const kJumpMenu =
    "<script>window.changes = 0;</script>"
    "<select aria-label='Git' onchange='window.changes++; document.title = this.value'>"
    "<option value='bir'>Bir</option><option value='iki'>İki</option></select>"
    "<input aria-label='Sonra'>";

TEST(Forms, ReadingAnOptionSelectsItQuietlyAndEnterCommitsIt) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "liste.html", HtmlPage("Form", kJumpMenu));
  PressAndSettle(view, Qt::Key_F11);
  PressAndSettle(view, Qt::Key_Tab);
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(RunInPage(view, QStringLiteral("document.querySelector('select').value")).toString(),
            QStringLiteral("iki"));
  EXPECT_EQ(RunInPage(view, QStringLiteral("window.changes")).toInt(), 0)
      << "the page's change handler must not hear an option being read";
  EXPECT_EQ(Hear(browser, view, Qt::Key_Return), Lines{"Speak\tSeçenek onaylandı"});
  EXPECT_EQ(RunInPage(view, QStringLiteral("window.changes")).toInt(), 1);
  EXPECT_EQ(RunInPage(view, QStringLiteral("document.title")).toString(), QStringLiteral("iki"));
}

TEST(Forms, SkippingTheRemainingOptions) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "liste.html", HtmlPage("Form", kJumpMenu));
  PressAndSettle(view, Qt::Key_F11);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tKalan seçenekler atlanacak", "Speak\tSonra girdi Alanı"}));
}

TEST(Forms, ChoiceFieldsToggleWithShiftEnter) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "secim.html",
                   HtmlPage("Form", "<label><input type='checkbox' id='k'> Bülten</label>"
                        "<input type='radio' id='r' name='r' aria-label='Evet' checked>"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_TRUE(Said(browser.desktop()).empty()) << "nothing is held yet";
  PressAndSettle(view, Qt::Key_F11);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_TRUE(RunInPage(view, QStringLiteral("document.getElementById('k').checked")).toBool());
  PressAndSettle(view, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_FALSE(RunInPage(view, QStringLiteral("document.getElementById('k').checked")).toBool());
  PressAndSettle(view, Qt::Key_Tab);  // the radio button, checked
  PressAndSettle(view, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_FALSE(RunInPage(view, QStringLiteral("document.getElementById('r').checked")).toBool());
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tSeçim yapıldı", "Speak\tSeçim iptal edildi", "SpeakAndWait\tEvet",
                   "Speak\tSeçim alanı seçilmiş durumda iptal etmek için ŞİFT ENTIR tuşuna basınız",
                   "Speak\tSeçim iptal edildi"}));
}

TEST(Forms, TypedCharactersAreEchoedAndTheValueReadBack) {
  BrowserDesktop browser("0 1 1");  // character echo on
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "yaz.html",
                   HtmlPage("Form", "<input aria-label='Ad'><input type='password' aria-label='Parola'>"));
  EXPECT_EQ(Hear(browser, view, Qt::Key_A, Qt::ControlModifier), Lines{"Speak\tBir girdi alanında değilsiniz"});
  PressAndSettle(view, Qt::Key_F11);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  // Keys reach the page on a way of their own: each is waited for.
  auto valueIs = [&](const QString& expected) {
    return WaitUntil([&] {
      return RunInPage(view, QStringLiteral("document.activeElement.value")).toString() == expected;
    });
  };
  QString typed;
  for (const QChar ch : QStringLiteral("ab c")) {
    TypeText(ch);
    typed += ch;
    ASSERT_TRUE(valueIs(typed));
    Settle(view);
  }
  PressAndSettle(view, Qt::Key_Backspace);
  ASSERT_TRUE(valueIs(QStringLiteral("ab ")));
  PressAndSettle(view, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"SpeakCharacter\ta", "SpeakCharacter\tb", "SpeakAndWait\tab",
                   "SpeakCharacter\t ", "SpeakCharacter\tc", "SpeakVerbatim\tSil",
                   "Speak\tab "}));
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  TypeText(QStringLiteral("xy"));
  Settle(view);
  ASSERT_TRUE(WaitUntil([&] {
    return RunInPage(view, QStringLiteral("document.activeElement.value.length")).toInt() == 2;
  }));
  PressAndSettle(view, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"SpeakAndWait\tŞifre alanında", "SpeakDirect\t2", "SpeakAndWait\tkarakter var"}))
      << "what goes into a password field is never said";
}

TEST(Forms, WithoutEchoOnlyTheWordIsSaidAtABlank) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "yaz.html", HtmlPage("Form", "<input aria-label='Ad'>"));
  PressAndSettle(view, Qt::Key_F11);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  QString typed;
  for (const QChar ch : QStringLiteral("k ")) {
    TypeText(ch);
    typed += ch;
    ASSERT_TRUE(WaitUntil([&] {
      return RunInPage(view, QStringLiteral("document.activeElement.value")).toString() == typed;
    }));
    Settle(view);
  }
  EXPECT_EQ(Said(browser.desktop()), (Lines{"SpeakCharacter\tk", "SpeakCharacter\t "}));
}

}  // namespace
}  // namespace lirvan::test
