// Pages that change after their load: the snapshot is taken again, quietly,
// keeping the reading position; Shift+F5 takes it on demand; an action for
// an element that has gone is refused.
#include <QTest>
#include <gtest/gtest.h>

#include "browser/lirvan_page.h"
#include "browser_support.h"
#include "shell/text.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

TEST(ChangingPages, ContentAddedAfterTheLoadIsReadWithoutAWord) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  view.SetChangePollInterval(std::chrono::milliseconds(50));
  browser.LoadPage(view, "canli.html",
                   HtmlPage("Canlı", "<p id='ilk'>Birinci</p><p>İkinci</p>"
                        "<script>setTimeout(function () {"
                        "  const p = document.createElement('p'); p.textContent = 'Sonradan gelen';"
                        "  document.body.appendChild(p); }, 300);</script>"));
  PressAndSettle(view, Qt::Key_F9);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  ASSERT_TRUE(WaitUntil([&] { return view.snapshot().text.find("sonradan") != std::string::npos; }));
  EXPECT_TRUE(Said(browser.desktop()).empty()) << "nothing is said unless the user asks";
  // Content put in front of the reading position does not move it.
  RunInPage(view, QStringLiteral("const p = document.createElement('p'); p.textContent = 'Başa';"
                                 "document.body.insertBefore(p, document.body.firstChild); 1"));
  ASSERT_TRUE(WaitUntil([&] { return view.snapshot().text.find(Cp("başa")) == 0; }));
  PressAndSettle(view, Qt::Key_Tab);
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()), (Lines{"Speak\tİkinci", "Speak\tSonradan gelen"}));
}

TEST(ChangingPages, ShiftF5TakesThePageAgainAndCountsItsElements) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  view.SetChangePollInterval(std::chrono::hours(1));
  browser.LoadPage(view, "say.html", HtmlPage("Canlı", "<p>Bir</p><p>İki <b>üç</b></p>"));
  RunInPage(view, QStringLiteral("document.body.appendChild(document.createElement('div')); 1"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"SpeakAndWait\tSayfa yeniden tarandı, sayfada", "SpeakDirect\t4",
                   "SpeakAndWait\töğe var"}));
}

TEST(ChangingPages, AnActionForAnElementThatHasGoneIsRefused) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  view.SetChangePollInterval(std::chrono::hours(1));
  browser.LoadPage(view, "git.html",
                   HtmlPage("Canlı", "<a href='a.html' id='a'>Birinci</a> <a href='b.html' id='b'>İkinci</a>"));
  PressAndSettle(view, Qt::Key_F10);
  PressAndSettle(view, Qt::Key_Tab);
  RunInPage(view, QStringLiteral("document.getElementById('b').remove(); 1"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tİkinci", "Speak\tBu öğe sayfada artık yok, sayfa yeniden tarandı"}));
  EXPECT_EQ(RunInPage(view, QStringLiteral("document.activeElement.id")).toString(),
            QStringLiteral("a"))
      << "the focus stays where it was";
  ASSERT_TRUE(WaitUntil([&] { return view.snapshot().text.find(Cp("ikinci")) == std::string::npos; }));
  EXPECT_EQ(Hear(browser, view, Qt::Key_Tab), Lines{"Speak\tSayfanın sonu"});
}

}  // namespace
}  // namespace lirvan::test
