// The address, add-favourite and favourites dialogs, through the keys a
// user presses, and the favourites files they leave, byte for byte.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "shell/mainfrm.h"

#include "browser/lirvan_page.h"
#include "browser_support.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// Runs the command behind the key and types into its dialog; then the
// main window is active again, as the window system makes it.
void InDialog(BrowserDesktop& browser, int key, Qt::KeyboardModifiers modifiers,
              const std::function<void(QWidget&)>& keys) {
  ASSERT_TRUE(WithModal([&] { Press(key, modifiers); }, keys));
  QWidget& frame = browser.desktop().frame();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  ProcessEvents();
}

// Typed as a keyboard with Turkish letters delivers them: a key event that
// carries the letter (Qt's test keys know only ASCII).
void TypeAndEnter(const QString& text) {
  for (const QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, ch.unicode() < 128 ? ch.toUpper().unicode() : 0,
                    Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, press.key(), Qt::NoModifier, QString(ch));
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }
  ProcessEvents();
  Press(Qt::Key_Return);
}

TEST(AddressDialog, TypedAddressIsSpokenAndOpened) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.WritePage("sayfa.html", HtmlPage("Yerel", "<p>Metin</p>"));
  browser.desktop().Mark();
  // A path in the folder the program works in, as typed by a user.
  InDialog(browser, Qt::Key_N, Qt::ControlModifier, [](QWidget&) { TypeAndEnter(QStringLiteral("sayfa.html")); });
  ASSERT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tYerel sayfası yüklendi"));
  const Lines said = Said(browser.desktop());
  EXPECT_EQ(said[0], "Speak\tAdres Giriniz");
  EXPECT_EQ(said[1], "SpeakCharacter\ts");
  EXPECT_EQ(said[10], "SpeakCharacter\tl");
  EXPECT_TRUE(view.page()->url().isLocalFile());
}

TEST(AddressDialog, CancelOrNothingTypedOpensNothing) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  const QUrl before = view.page()->url();
  InDialog(browser, Qt::Key_N, Qt::ControlModifier, [](QWidget&) { Press(Qt::Key_Escape); });
  browser.desktop().Mark();
  InDialog(browser, Qt::Key_N, Qt::ControlModifier, [](QWidget&) { Press(Qt::Key_Return); });
  Settle(view);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tAdres Giriniz", "Speak\tGeçerli bir adres girilmedi"}));
  EXPECT_EQ(view.page()->url(), before);
}

TEST(Favourites, AddedPagesAreWrittenByteForByteAndOpenedFromTheList) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  const QUrl first = browser.LoadPage(view, "bir.html", HtmlPage("Bir", "<p>Birinci sayfa</p>"));
  InDialog(browser, Qt::Key_E, Qt::AltModifier, [](QWidget&) { TypeAndEnter(QStringLiteral("Birinci")); });
  const QUrl second = browser.LoadPage(view, "iki.html", HtmlPage("İki", "<p>İkinci sayfa</p>"));
  browser.desktop().Mark();
  InDialog(browser, Qt::Key_E, Qt::AltModifier, [](QWidget&) { TypeAndEnter(QStringLiteral("Şehir")); });
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tFavorinize eklemek için sayfa isimi giriniz", "SpeakCharacter\tŞ",
                   "SpeakCharacter\te", "SpeakCharacter\th", "SpeakCharacter\ti",
                   "SpeakCharacter\tr", "Speak\tFavori sayfanız eklendi"}));
  EXPECT_EQ(browser.desktop().ReadFile("veriler/adresler.txt"),
            "\n" + first.toEncoded().toStdString() + "\0"s + "\n" +
                second.toEncoded().toStdString() + "\0"s);
  EXPECT_EQ(browser.desktop().ReadFile("veriler/kisayollar.txt"), "\nBirinci\0\n\xDE" "ehir\0"s);

  browser.desktop().Mark();
  InDialog(browser, Qt::Key_F, Qt::AltModifier, [](QWidget&) {
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
  });
  ASSERT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tBir sayfası yüklendi"))
      << ::testing::PrintToString(Said(browser.desktop()));
  EXPECT_EQ(Said(browser.desktop())[0],
            "Speak\tYukarı ve Aşağı Yön Tuşlarını Kullanarak Seçiminizi Yapınız");
  EXPECT_EQ(Said(browser.desktop())[1], "Speak\tboş satır") << "the files' empty first line";
  EXPECT_EQ(Said(browser.desktop())[2], "Speak\tBirinci");
  EXPECT_EQ(view.page()->url(), first);
}

TEST(Favourites, CancelOrAnEmptyNameWritesAndSaysNothing) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  InDialog(browser, Qt::Key_E, Qt::AltModifier, [](QWidget&) { Press(Qt::Key_Escape); });
  browser.desktop().Mark();
  InDialog(browser, Qt::Key_E, Qt::AltModifier, [](QWidget&) { Press(Qt::Key_Return); });
  Settle(view);
  EXPECT_EQ(Said(browser.desktop()), Lines{"Speak\tFavorinize eklemek için sayfa isimi giriniz"});
  EXPECT_FALSE(std::filesystem::exists(browser.desktop().home() + "/veriler/adresler.txt"));
  EXPECT_FALSE(std::filesystem::exists(browser.desktop().home() + "/veriler/kisayollar.txt"));
}

TEST(Favourites, AFailedWriteIsSaidAndLeavesTheFilesInStep) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  std::filesystem::create_directory(browser.desktop().home() + "/veriler/kisayollar.txt");
  browser.desktop().Mark();
  InDialog(browser, Qt::Key_E, Qt::AltModifier, [](QWidget&) { TypeAndEnter(QStringLiteral("Ad")); });
  Settle(view);
  EXPECT_EQ(Said(browser.desktop()).back(), "Speak\tFavori sayfanız eklenemedi");
  EXPECT_FALSE(std::filesystem::exists(browser.desktop().home() + "/veriler/adresler.txt"));
}

TEST(Favourites, AMissingAddressFileIsSaidInsteadOfOpeningNothing) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  {
    std::ofstream names(browser.desktop().home() + "/veriler/kisayollar.txt", std::ios::binary);
    names << "\nYetim"s << '\0';
  }
  const QUrl before = view.page()->url();
  browser.desktop().Mark();
  InDialog(browser, Qt::Key_F, Qt::AltModifier, [](QWidget&) {
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
  });
  Settle(view);
  EXPECT_EQ(Said(browser.desktop()).back(), "Speak\tBu favorinin adresi bulunamadı");
  EXPECT_EQ(view.page()->url(), before);
}

}  // namespace
}  // namespace lirvan::test
