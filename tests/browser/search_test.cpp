// Search on a page with the shared spoken dialogs: finding a word, the next
// one, reading before, after and between found words, through the keys and
// the menu a user has.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "browser_support.h"
#include "shell/mainfrm.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

class PageSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = &browser_.OpenBrowser();
    browser_.LoadPage(*view_, "arama.html",
                      HtmlPage("Arama", "<p>Haberler</p><p>SPOR sayfası</p><p>Hava durumu</p><p>Spor sonu</p>"));
  }

  // A command that opens a dialog, the dialog driven by the keys given; the
  // main window active again afterwards. What was said last.
  std::string InDialog(const std::function<void()>& open, const std::function<void()>& keys) {
    browser_.desktop().Mark();
    EXPECT_TRUE(WithModal(open, [&](QWidget&) { keys(); }));
    browser_.desktop().frame().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&browser_.desktop().frame()));
    Settle(*view_);
    const Lines said = Said(browser_.desktop());
    return said.empty() ? std::string() : said.back();
  }

  std::string Find(const QString& word) {
    return InDialog([] { Press(Qt::Key_F, Qt::ControlModifier); }, [&] {
      TypeText(word);
      Press(Qt::Key_Return);
    });
  }

  std::string Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    browser_.desktop().Mark();
    PressAndSettle(*view_, key, modifiers);
    const Lines said = Said(browser_.desktop());
    return said.empty() ? std::string() : said.back();
  }

  BrowserDesktop browser_;
  CLirvanView* view_ = nullptr;
};

TEST_F(PageSearchTest, FindsAWordAndStepsToTheNext) {
  EXPECT_EQ(Find(QStringLiteral("SPOR")), "Speak\tspor bulundu");
  EXPECT_EQ(Key(Qt::Key_Right), "Speak\tspor sayfası hava durumu spor sonu");
  EXPECT_EQ(Key(Qt::Key_Left), "Speak\thaberler ");
  EXPECT_EQ(Key(Qt::Key_H), "Speak\tspor bulundu");
  EXPECT_EQ(Key(Qt::Key_Right), "Speak\tspor sonu");
  EXPECT_EQ(Key(Qt::Key_H), "Speak\tdosyanın kalanında bulunamadı");
  EXPECT_EQ(Key(Qt::Key_Right), "Speak\thaberler spor sayfası hava durumu spor sonu")
      << "after a failed search the position is the start again";
}

TEST_F(PageSearchTest, AWordNotOnThePageAndACancelledDialog) {
  EXPECT_EQ(Find(QStringLiteral("kar")), "Speak\tkar bulunamadı");
  browser_.desktop().Mark();
  InDialog([] { Press(Qt::Key_F, Qt::ControlModifier); }, [] { Press(Qt::Key_Escape); });
  const Lines said = Said(browser_.desktop());
  EXPECT_TRUE(std::none_of(said.begin(), said.end(), [](const std::string& line) {
    return line.find("bulun") != std::string::npos;
  })) << "a cancelled search says no result";
}

TEST_F(PageSearchTest, ReadsBetweenTwoWordsFromTheMenu) {
  const std::string said =
      InDialog([&] { browser_.desktop().frame().RouteCommand(Command::ReadBetweenWords); }, [] {
        TypeText(QStringLiteral("durumu"));
        Press(Qt::Key_Tab);
        TypeText(QStringLiteral("haberler"));
        Press(Qt::Key_Return);
      });
  EXPECT_EQ(said, "Speak\thaberler spor sayfası hava durumu");
  // Ctrl+T is the editor's read-between key: in the browser it does nothing.
  EXPECT_EQ(Key(Qt::Key_T), "");
}

}  // namespace
}  // namespace lirvan::test
