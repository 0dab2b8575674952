// Loading pages in a browser window: what is announced at each step, and
// what a failed, stopped, endless or downloading load says.
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineHistory>
#include <gtest/gtest.h>

#include "browser/lirvan_page.h"
#include "browser_support.h"
#include "shell/mainfrm.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

TEST(Loading, NewWindowNamesItselfThenLoadsTheHelpPage) {
  BrowserDesktop browser;
  browser.desktop().Mark();
  browser.OpenBrowser();
  EXPECT_EQ(Said(browser.desktop()), (Lines{"SpeakAndWait\tInternet Gezgini ",
                                            "SpeakAndWait\tSayfa Yükleniyor",
                                            "SpeakAndWait\tLirvan Yardım sayfası yüklendi"}));
}

}  // namespace
}  // namespace lirvan::test
