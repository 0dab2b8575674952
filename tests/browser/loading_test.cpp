// Loading pages in a browser window: what is announced at each step, and
// what a failed, stopped, endless or downloading load says.
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "browser/lirvan_page.h"
#include "browser_support.h"
#include "shell/childfrm.h"
#include "shell/mainfrm.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<std::string>;

// A web server on loopback that takes every connection and never answers.
class SilentServer {
 public:
  SilentServer() {
    if (!server_.listen(QHostAddress::LocalHost)) throw std::runtime_error("cannot listen");
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) held_.emplace_back(socket);
    });
  }
  QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort())); }

 private:
  QTcpServer server_;
  std::vector<std::unique_ptr<QTcpSocket>> held_;
};

// An address where nothing listens.
QUrl ClosedAddress() {
  QTcpServer server;
  server.listen(QHostAddress::LocalHost);
  const quint16 port = server.serverPort();
  server.close();
  return QUrl(QStringLiteral("http://127.0.0.1:%1/yok.html").arg(port));
}

TEST(Loading, NewWindowNamesItselfThenLoadsTheHelpPage) {
  BrowserDesktop browser;
  browser.desktop().Mark();
  browser.OpenBrowser();
  EXPECT_EQ(Said(browser.desktop()), (Lines{"SpeakAndWait\tInternet Gezgini ",
                                            "SpeakAndWait\tSayfa Yükleniyor",
                                            "SpeakAndWait\tLirvan Yardım sayfası yüklendi"}));
}

TEST(Loading, AnnouncesTheTitleAndForms) {
  struct Case {
    const char* file;
    std::string html;
    Lines said;
  };
  const Case cases[] = {
      {"plain.html", HtmlPage("Haberler", "<p>Metin</p>"),
       {"SpeakAndWait\tSayfa Yükleniyor", "SpeakAndWait\tHaberler sayfası yüklendi"}},
      {"untitled.html", HtmlPage("", "<p>Metin</p>"),
       {"SpeakAndWait\tSayfa Yükleniyor", "SpeakAndWait\t sayfası yüklendi"}},
      {"form.html", HtmlPage("Giriş", "<form><input name=ad></form>"),
       {"SpeakAndWait\tSayfa Yükleniyor", "SpeakAndWait\tGiriş sayfası yüklendi",
        "Speak\tyüklenen sayfada form bulunmaktadır"}},
      {"nobody.xhtml",
       "<html xmlns='http://www.w3.org/1999/xhtml'><head><title>Boş</title></head></html>",
       {"SpeakAndWait\tSayfa Yükleniyor", "SpeakAndWait\tBoş sayfası yüklendi"}},
      {"data.xml", "<?xml version='1.0'?><kayit><ad>Ali</ad></kayit>",
       {"SpeakAndWait\tSayfa Yükleniyor"}},
  };
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    browser.LoadPage(view, c.file, c.html);
    EXPECT_EQ(Said(browser.desktop()), c.said);
  }
}

TEST(Loading, PagesWithoutBodyOrNotHtmlHaveNothingToRead) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "bos.xhtml",
                   "<html xmlns='http://www.w3.org/1999/xhtml'><head><title>Boş</title></head></html>");
  EXPECT_EQ(view.snapshot().size(), 0);
  PressAndSettle(view, Qt::Key_F9);
  EXPECT_EQ(Hear(browser, view, Qt::Key_Tab), Lines{"Speak\tSayfanın sonu"});
}

TEST(Loading, FocusSaysThePageName) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("Haberler", "<p>Metin</p>"));
  auto* browserWindow = browser.desktop().frame().ActiveChild();
  Press(Qt::Key_2, Qt::ControlModifier);  // an editor takes the focus
  browser.desktop().Mark();
  browser.desktop().frame().mdiArea()->setActiveSubWindow(browserWindow);
  ProcessEvents();
  EXPECT_EQ(Said(browser.desktop()), Lines{"SpeakAndWait\tHaberler sayfası"});
}

TEST(Loading, ReadingStateIsResetByEveryNavigation) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("A", "<table><tr><td>Hücre</td></tr></table>"));
  PressAndSettle(view, Qt::Key_F7);
  PressAndSettle(view, Qt::Key_Tab);
  browser.LoadPage(view, "b.html", HtmlPage("B", "<p>İkinci SAYFA Işık</p>"));
  EXPECT_EQ(view.readingState().m_nReadingMode, 0);
  EXPECT_EQ(Hear(browser, view, Qt::Key_Tab), Lines{"Speak\tikinci sayfa ışık"})
      << "mode all, the text stored in lower case";
}

TEST(Loading, ReadNextDoesNothingBeforeThePageHasLoaded) {
  SilentServer server;
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.desktop().Mark();
  view.Navigate(server.url());
  ASSERT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tSayfa Yükleniyor"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_TRUE(Said(browser.desktop()).empty());
  // Giving the window the focus while it loads says nothing either.
  Press(Qt::Key_2, Qt::ControlModifier);
  browser.desktop().Mark();
  browser.desktop().frame().mdiArea()->activatePreviousSubWindow();
  ProcessEvents();
  EXPECT_TRUE(Said(browser.desktop()).empty());
}

TEST(Loading, UnreachableAddressIsSaidAndThePreviousPageIsBack) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("Haberler", "<p>Önceki</p>"));
  view.Navigate(ClosedAddress());
  ASSERT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tSayfa erişilemedi"));
  ASSERT_TRUE(WaitUntil([&] { return view.pageLoaded(); }));
  Settle(view);
  EXPECT_EQ(Hear(browser, view, Qt::Key_Tab), Lines{"Speak\tönceki"});
  EXPECT_TRUE(view.page()->url().isLocalFile());
}

TEST(Loading, MissingHelpPageIsSaid) {
  BrowserDesktop browser;
  std::filesystem::remove(browser.desktop().home() + "/veriler/yardim.html");
  browser.desktop().Mark();
  Press(Qt::Key_1, Qt::ControlModifier);
  EXPECT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tSayfa erişilemedi"));
}

TEST(Loading, EscapeStopsAnEndlessLoadWithoutAnError) {
  SilentServer server;
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  view.SetStillLoadingInterval(std::chrono::milliseconds(300));
  browser.desktop().Mark();
  view.Navigate(server.url());
  ASSERT_TRUE(WaitForLine(browser.desktop(),
                          "Speak\tSayfa hâlâ yükleniyor. Durdurmak için ESKEYP tuşuna basınız"));
  // Ctrl+D stops the speech only.
  PressAndSettle(view, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(view.loading());
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Escape);
  ASSERT_TRUE(WaitUntil([&] { return !view.loading() && view.pageLoaded(); }));
  QTest::qWait(200);
  Settle(view);
  EXPECT_EQ(Said(browser.desktop()), Lines{"Speak\tSayfa yüklemesi durduruldu"});
  // The page shown before stays readable.
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Said(browser.desktop()).front(), "SpeakAndWait\tLirvan Yardım sayfası");
}

TEST(Loading, DownloadIsRefusedAloudAndThePageStays) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("Haberler", "<p>Metin</p>"));
  const QUrl file = browser.WritePage("veri.bin", std::string(64, '\x01'));
  view.Navigate(file);
  ASSERT_TRUE(WaitForLine(browser.desktop(), "Speak\tveri.bin dosyasını indirme isteği reddedildi"));
  ASSERT_TRUE(WaitUntil([&] { return view.pageLoaded(); }));
  Settle(view);
  EXPECT_EQ(Hear(browser, view, Qt::Key_Tab), Lines{"Speak\tmetin"});
  EXPECT_FALSE(std::filesystem::exists(browser.desktop().home() + "/Downloads/veri.bin"));
}

TEST(Loading, LinksThatOpenWindowsDoNothing) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "b.html", HtmlPage("B", "<p>B</p>"));
  browser.LoadPage(view, "a.html", HtmlPage("A", "<a href='b.html' target='_blank'>Yeni pencere</a>"));
  PressAndSettle(view, Qt::Key_F10);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Return);
  QTest::qWait(300);
  Settle(view);
  EXPECT_TRUE(Said(browser.desktop()).empty());
  EXPECT_EQ(browser.desktop().frame().mdiArea()->subWindowList().size(), 1);
  EXPECT_TRUE(view.page()->url().toString().endsWith(QStringLiteral("a.html")));
}

TEST(Loading, FrameNavigationKeepsTheReadingState) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.WritePage("c1.html", HtmlPage("C1", "<p>Bir</p>"));
  browser.WritePage("c2.html", HtmlPage("C2", "<p>İki</p>"));
  browser.LoadPage(view, "a.html", HtmlPage("A", "<p>Üst</p><p>Alt</p><iframe src='c1.html'></iframe>"));
  PressAndSettle(view, Qt::Key_F9);
  PressAndSettle(view, Qt::Key_Tab);
  browser.desktop().Mark();
  RunInPage(view, QStringLiteral("new Promise(function (done) {"
                                 "  const f = document.querySelector('iframe');"
                                 "  f.onload = function () { done(1); }; f.src = 'c2.html'; })"));
  QTest::qWait(300);
  Settle(view);
  EXPECT_TRUE(Said(browser.desktop()).empty());
  EXPECT_EQ(view.readingState().m_nReadingMode, 3);
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()), Lines{"Speak\tAlt"});
}

TEST(Loading, PageMessagesAreSpokenNotShown) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.desktop().Mark();
  view.Navigate(browser.WritePage("a.html", HtmlPage("A", "<script>alert('Kaydedildi')</script>")));
  EXPECT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tSayfa mesajı: Kaydedildi"));
}

TEST(Loading, WhereAmISaysTheTitleAndTheAddress) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  const QUrl url = browser.LoadPage(view, "a.html", HtmlPage("Haberler", "<p>Metin</p>"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"SpeakAndWait\tHaberler sayfası", "Speak\t" + url.toString().toStdString()}));
}

TEST(Loading, BackAndForward) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Right, Qt::AltModifier);
  PressAndSettle(view, Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(Said(browser.desktop()),
            (Lines{"Speak\tİleri gidilecek sayfa yok", "Speak\tGeri gidilecek sayfa yok"}));
  browser.LoadPage(view, "a.html", HtmlPage("A", "<p>Bir</p>"));
  browser.LoadPage(view, "b.html", HtmlPage("B", "<p>İki</p>"));
  PressAndSettle(view, Qt::Key_Left, Qt::AltModifier);
  ASSERT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tA sayfası yüklendi"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_Right, Qt::AltModifier);
  EXPECT_TRUE(WaitForLine(browser.desktop(), "SpeakAndWait\tB sayfası yüklendi"));
}

TEST(Loading, TheSnapshotScriptIsOutOfThePagesReach) {
  BrowserDesktop browser;
  CLirvanView& view = browser.OpenBrowser();
  browser.LoadPage(view, "a.html", HtmlPage("A", "<p>Metin</p>"));
  EXPECT_EQ(RunInPage(view, QStringLiteral("typeof window.__lirvan")).toString(),
            QStringLiteral("undefined"));
  // A page that plants a look-alike changes nothing of what is read.
  browser.LoadPage(view, "b.html",
                   HtmlPage("B", "<script>window.__lirvan = {snapshot: function () { return '{}'; }};"
                             "</script><p>Gerçek</p>"));
  browser.desktop().Mark();
  PressAndSettle(view, Qt::Key_F9);
  PressAndSettle(view, Qt::Key_Tab);
  EXPECT_EQ(Said(browser.desktop()).back(), "Speak\tGerçek");
}

}  // namespace
}  // namespace lirvan::test
