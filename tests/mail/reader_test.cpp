// The mail reader through its keys against the private dovecot: what it
// says at each step, what it shows and saves, and what it refuses.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <filesystem>
#include <gtest/gtest.h>

#include "editor/rich_text.h"
#include "mail/mail_page.h"
#include "mail/sendmail.h"
#include "shell/tool_registry.h"
#include "reader_support.h"
#include "shell/childfrm.h"
#include "shell/mainfrm.h"
#include "script_server.h"

namespace lirvan::test {
namespace {

namespace fs = std::filesystem;

constexpr int kMailCount = 12;
enum Row { kPlain = 0, kHtml = 1, kPdf = 2, kAlternative = 3, kIso = 4, kWindows = 5,
           kHostile = 6, kDots = 7, kSameA = 8, kSameB = 9, kTracker = 10, kLarge = 11 };

class Reader : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = &Servers();
    TrustTestAuthority(server_->dovecot->authority());
    WriteAccount(reader_.desktop().home(), DovecotServer::kPassword, "tls",
                 server_->dovecot->tlsPort());
  }
  void TearDown() override { TrustSystemOnly(); }

  std::vector<std::string> MailFiles() const {
    std::vector<std::string> names;
    const fs::path folder = fs::path(reader_.desktop().home()) / "Mail";
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().filename() != "tmp.html") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string MailFile(const std::string& name) const {
    return ReadTextFile(reader_.desktop().home() + "/Mail/" + name);
  }

  SharedServers* server_ = nullptr;
  ReaderDesktop reader_;
};

TEST_F(Reader, FetchSaysEachStepAndListsEveryMessageOnce) {
  reader_.Fetch();
  const std::vector<LogLine> said = reader_.desktop().Since();
  const std::vector<LogLine> expected{
      {"SpeakAndWait", "Bağlantı açılıyor"}, {"SpeakAndWait", "Bağlanıyor"},
      {"SpeakAndWait", "Bağlantı şifreli"},  {"Speak", "10 / 12"},
      {"StopSpeaking", ""},                   {"Speak", "Tüm postalar yüklendi 12 posta"}};
  EXPECT_EQ(said, expected);
  ASSERT_EQ(reader_.reader().mailList()->count(), kMailCount);
  EXPECT_EQ(reader_.reader().mailList()->item(kSameA)->text(),
            reader_.reader().mailList()->item(kSameB)->text());
  EXPECT_FALSE(reader_.SaidAnywhere(DovecotServer::kPassword));
  // Fetching again lists the mailbox as it is now, not twice.
  reader_.Fetch();
  EXPECT_EQ(reader_.reader().mailList()->count(), kMailCount);
  // Closing the window says nothing more.
  reader_.desktop().Mark();
  reader_.desktop().frame().ActiveChild()->close();
  ProcessEvents();
  EXPECT_FALSE(reader_.Said("Speak", "Tüm postalar"));
}

TEST_F(Reader, EachMoveSaysSenderSubjectDateAndShowsTheMailWhole) {
  reader_.Fetch();
  reader_.desktop().Mark();
  reader_.GoToRow(kPlain);
  EXPECT_EQ(reader_.LastSpoken(),
            "Seçili posta Gönderen Ayşe Yılmaz ayse@ornek.tr Konu Toplantı notları Tarih 11 "
            "Mart 2024 Pazartesi saat 14 5");
  QString shown;
  reader_.reader().browser()->page()->toPlainText([&](const QString& text) { shown = text; });
  ASSERT_TRUE(WaitUntil([&] { return !shown.isEmpty(); }));
  EXPECT_TRUE(shown.contains(QStringLiteral("Ali <ali@ornek.tr> oldu; a<b ve b>c")));
  EXPECT_FALSE(shown.contains(QStringLiteral("Subject:")));
  reader_.desktop().Mark();
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(reader_.Said("Speak", "Merhaba, Yeni adresim Ali <ali@ornek.tr> oldu; a<b"));
  EXPECT_FALSE(reader_.Said("SpeakAndWait", "Merhaba")) << "reading must not hold the window";
  reader_.desktop().Mark();
  Press(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(reader_.desktop().Since(), (std::vector<LogLine>{{"StopSpeaking", ""}}));
}

TEST_F(Reader, MailsAsTheyAreReallyWrittenAreReadInTurkish) {
  reader_.Fetch();
  struct {
    Row row;
    const char* selection;  // what the move says, from its start
    const char* reading;    // what Ctrl+A says, from its start
  } cases[] = {
      {kHtml, "Seçili posta Gönderen Haber Bülteni", "Haftanın haberleri"},
      {kAlternative, "Seçili posta Gönderen Zeynep Çelik zeynep@ornek.tr Konu Çalışma planı ve öneriler",
       "Merhaba Zeynep, Şu an çalışıyoruz; ğüşıöç ĞÜŞİÖÇ"},
      {kIso, "Seçili posta Gönderen Şirket İletişim iletisim@sirket.com.tr Konu İşleminiz tamamlandı",
       "Sayın Müşterimiz, İşleminiz başarıyla"},
      {kWindows, "Seçili posta Gönderen Kargo", "Kargonuz yola çıktı."},
      {kDots, "Seçili posta Gönderen Noktalar",
       "İlk satır. .Noktayla başlayan satır ..İki noktayla başlayan satır . Yalnız nokta"},
      {kSameA, "Seçili posta Gönderen Ali Veli ali@ornek.tr Konu Toplantı", "Birinci kopya"},
      {kSameB, "Seçili posta Gönderen Ali Veli ali@ornek.tr Konu Toplantı", "İkinci kopya"},
      {kLarge, "Seçili posta Gönderen Büyük Dosya", "Satır 0: uzun"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selection);
    reader_.desktop().Mark();
    reader_.GoToRow(c.row);
    EXPECT_TRUE(reader_.Said("Speak", c.selection)) << reader_.LastSpoken();
    reader_.desktop().Mark();
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(reader_.Said("Speak", c.reading)) << reader_.LastSpoken().substr(0, 200);
  }
  EXPECT_NE(reader_.LastSpoken().find("Satır 15999:"), std::string::npos) << "the whole large mail";
}

TEST_F(Reader, AttachmentsAreSavedAndAnnouncedOnceUnderSafeNames) {
  reader_.Fetch();
  reader_.desktop().Mark();
  reader_.GoToRow(kPdf);
  EXPECT_NE(reader_.LastSpoken().find("Meilde ek var dosya ismi rapor.pdf"), std::string::npos);
  const std::string pdf = MailFile("rapor.pdf");
  EXPECT_EQ(pdf.size(), 332u);
  EXPECT_TRUE(pdf.starts_with("%PDF-1.4"));
  reader_.GoToRow(kHostile);
  const std::string hostile = reader_.LastSpoken();
  EXPECT_NE(hostile.find("dosya ismi x.txt"), std::string::npos) << hostile;
  EXPECT_NE(hostile.find("dosya ismi x.txt kaydedilen isim x (2).txt"), std::string::npos) << hostile;
  EXPECT_NE(hostile.find("dosya ismi faturatxt.exe Bilinmeyen dosya uzantısı ek kaydedilmedi"),
            std::string::npos) << hostile;
  EXPECT_EQ(hostile.find("\u202E"), std::string::npos);
  EXPECT_EQ(MailFiles(), (std::vector<std::string>{"Türkçe belge.docx", "_CON.txt", "rapor.pdf",
                                                   "x (2).txt", "x.txt"}));
  EXPECT_EQ(MailFile("x.txt"), "birinci\n");
  EXPECT_EQ(MailFile("x (2).txt"), "ikinci\n");
  EXPECT_FALSE(fs::exists(fs::path(reader_.desktop().home()) / "x.txt"));
  EXPECT_FALSE(fs::exists(fs::path(reader_.desktop().home()).parent_path() / "x.txt"));
  // Walking back over them parses nothing again and says no attachment again.
  const int parses = reader_.reader().ParseCount();
  reader_.desktop().Mark();
  reader_.GoToRow(kPlain);
  reader_.GoToRow(kHostile);
  EXPECT_EQ(reader_.reader().ParseCount(), parses);
  EXPECT_FALSE(reader_.SaidAnywhere("x (3).txt"));
  for (const LogLine& line : reader_.desktop().Since()) {
    EXPECT_EQ(line.text.find("Meilde ek var"), std::string::npos) << line.text;
  }
  EXPECT_EQ(MailFiles().size(), 5u);
}

TEST_F(Reader, MailViewRunsNoScriptAndFetchesNothingElse) {
  reader_.Fetch();
  for (Row row : {kHtml, kTracker}) {
    reader_.GoToRow(row);
    QTest::qWait(300);
    ProcessEvents();
    EXPECT_NE(reader_.reader().browser()->page()->title(), QStringLiteral("BETIK"));
  }
  MailView& view = *reader_.reader().browser();
  // A link followed from the page, or any other address, is refused.
  const QUrl shown = view.page()->url();
  const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server_->tracker.serverPort());
  view.page()->runJavaScript(QStringLiteral("document.getElementById('bag').click()"),
                             QWebEngineScript::ApplicationWorld);
  view.page()->load(QUrl(base + QStringLiteral("/elle")));
  QTest::qWait(500);
  ProcessEvents();
  EXPECT_EQ(view.page()->url(), shown);
  EXPECT_EQ(server_->trackerConnections, 0) << "the mail view reached the network";
}

TEST_F(Reader, DetailCommandSaysTheSummaryThenShowsTheRawText) {
  reader_.Fetch();
  reader_.GoToRow(kPdf);
  reader_.desktop().Mark();
  QString raw;
  std::string readAll;
  const bool opened = WithModal([] { Press(Qt::Key_F3); }, [&](QWidget& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Detaylı Posta"));
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("detailText"));
    ASSERT_NE(text, nullptr);
    raw = text->toPlainText();
    reader_.desktop().Mark();
    Press(Qt::Key_A, Qt::ControlModifier);
    readAll = reader_.LastSpoken();
  });
  ASSERT_TRUE(opened);
  EXPECT_TRUE(raw.contains(QStringLiteral("Content-Type: multipart/mixed; boundary=\"sinir-123\"")));
  EXPECT_TRUE(readAll.starts_with("From: Muhasebe <muhasebe@ornek.tr>")) << readAll.substr(0, 80);
  EXPECT_TRUE(reader_.SaidAnywhere(
      "Gönderen Muhasebe muhasebe@ornek.tr Alıcı lirvan@ornek.tr Bilgi Mehmet Demir "
      "mehmet@ornek.tr Tarih 13 Mart 2024 Çarşamba saat 10 15 Ekler rapor.pdf"));
}

TEST_F(Reader, RefusalsAreSpokenAsRefusals) {
  struct {
    const char* name;
    std::string password;
    bool trusted;
    const char* sentence;
  } cases[] = {
      {"wrong password", "yanlis", true, "Sunucu hesabı reddetti [AUTH] Authentication failed."},
      {"untrusted certificate", DovecotServer::kPassword, false,
       "Sunucunun güvenlik sertifikası doğrulanamadı, bağlantı reddedildi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.trusted) {
      TrustTestAuthority(server_->dovecot->authority());
    } else {
      TrustSystemOnly();
    }
    WriteAccount(reader_.desktop().home(), c.password, "tls", server_->dovecot->tlsPort());
    reader_.Fetch();
    EXPECT_TRUE(reader_.Said("Speak", c.sentence)) << reader_.LastSpoken();
    EXPECT_FALSE(reader_.Said("Speak", "Tüm postalar yüklendi"));
    EXPECT_EQ(reader_.reader().mailList()->count(), 0);
  }
}

TEST_F(Reader, EmptyMailboxSilenceAndCutsAreTold) {
  struct {
    const char* name;
    std::vector<QByteArray> mails;
    Misbehaviour misbehaviour;
    const char* sentence;
  } cases[] = {
      {"empty", {}, {}, "Posta kutunuz boş"},
      {"silent", {}, {.noGreeting = true}, "Sunucu 30 saniyedir yanıt vermiyor, bağlantı kesildi"},
      {"cut", {"Subject: a\n\nbir\n", "Subject: b\n\niki\n"}, {.closeInMessage = 2},
       "Sunucu bağlantıyı kesti, 1 posta yüklendi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptServer server(c.mails, c.misbehaviour);
    WriteAccount(reader_.desktop().home(), "p", "yok", server.port(), "127.0.0.1");
    reader_.reader().client().SetSilenceLimit(std::chrono::milliseconds(500));
    reader_.Fetch();
    EXPECT_EQ(reader_.LastSpoken(), c.sentence);
    EXPECT_TRUE(reader_.Said("SpeakAndWait", "Bağlantı şifresiz") || c.misbehaviour.noGreeting);
  }
  EXPECT_EQ(reader_.reader().mailList()->count(), 1) << "what was fetched stays listed";
}

TEST_F(Reader, ReadBeforeAnyMailIsSilentAndPrintSaysSo) {
  reader_.desktop().Mark();
  Press(Qt::Key_A, Qt::ControlModifier);
  Press(Qt::Key_F3);
  EXPECT_TRUE(reader_.desktop().Since().empty());
  Press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(reader_.desktop().Since(),
            (std::vector<LogLine>{{"Speak", "Yazdırma işlemi tanımlı değil"}}));
}

}  // namespace
}  // namespace lirvan::test

namespace lirvan::test {
namespace {

// Each of the view's three walls holds alone: here a page without the
// content policy, in a view whose settings would let it load pictures and
// reach the network, is still stopped by the request guard.
TEST(MailViewGuard, RefusesEveryRequestButTheShownFile) {
  SharedServers& servers = Servers();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sayfa.html"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const QByteArray base = "http://127.0.0.1:" + QByteArray::number(servers.tracker.serverPort());
  file.write("<p>metin</p><img src=\"" + base + "/a.gif\"><iframe src=\"" + base +
             "/b\"></iframe><link rel=stylesheet href=\"" + base + "/c.css\">");
  file.close();
  MailView view(nullptr);
  view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  view.settings()->setAttribute(QWebEngineSettings::AutoLoadImages, true);
  bool loaded = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, [&] { loaded = true; });
  view.Show(QUrl::fromLocalFile(path));
  ASSERT_TRUE(WaitUntil([&] { return loaded; }));
  QTest::qWait(300);
  EXPECT_GE(view.guard().blocked(), 2);
  EXPECT_EQ(servers.trackerConnections, 0);
}

TEST_F(Reader, ReplyAndForwardOpenTheComposerWithTheMailQuoted) {
  reader_.Fetch();
  reader_.desktop().Mark();
  // Nothing selected yet.
  Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(reader_.LastSpoken(), "Seçili posta yok");
  reader_.GoToRow(kPlain);
  reader_.desktop().Mark();
  Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  CMdiChild* window = reader_.desktop().frame().ActiveChild();
  ASSERT_NE(window, nullptr);
  auto* composer = qobject_cast<SendMail*>(window->view());
  ASSERT_NE(composer, nullptr);
  // The Reply-To, not the sender; "Re: " once; the mail quoted.
  EXPECT_EQ(composer->field(SendMail::kTo)->text(), QStringLiteral("Cevap <cevap@ornek.tr>"));
  EXPECT_EQ(composer->field(SendMail::kSubject)->text(), QStringLiteral("Re: Toplantı notları"));
  const QString body = composer->body()->toPlainText();
  EXPECT_TRUE(body.startsWith(QStringLiteral("\n\nMon, 11 Mar 2024 14:05:00 +0300 tarihinde Ayşe "
                                             "Yılmaz <ayse@ornek.tr> yazdı:\n> Merhaba,\n")))
      << body.toStdString();
  EXPECT_EQ(QApplication::focusWidget(), composer->body());
  EXPECT_EQ(composer->currentField(), SendMail::kBody);
  EXPECT_EQ(reader_.LastSpoken(),
            "Yanıt yazılıyor. Alıcı Cevap <cevap@ornek.tr> Konu Re: Toplantı notları. Posta içeriği");
  EXPECT_FALSE(composer->HasUnsentMail());
  // Back in the reader, a forward of the same mail replaces the untouched reply.
  reader_.desktop().frame().mdiArea()->setActiveSubWindow(
      reader_.desktop().frame().FindToolWindow(kReaderTemplate));
  ProcessEvents();
  reader_.desktop().Mark();
  Press(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(reader_.desktop().frame().ActiveChild(), window) << "one composer";
  EXPECT_TRUE(composer->field(SendMail::kTo)->text().isEmpty());
  EXPECT_EQ(composer->field(SendMail::kSubject)->text(), QStringLiteral("Fwd: Toplantı notları"));
  EXPECT_TRUE(composer->body()->toPlainText().contains(
      QStringLiteral("---------- İletilen posta ----------\nGönderen: Ayşe Yılmaz <ayse@ornek.tr>")));
  EXPECT_EQ(QApplication::focusWidget(), composer->field(SendMail::kTo));
  EXPECT_EQ(reader_.LastSpoken(), "Posta iletiliyor. Konu Fwd: Toplantı notları. Gönderilecek adres");
  // Typed into, the composer keeps its mail when another reply is asked for.
  TypeText(QStringLiteral("ali@ornek.tr"));
  reader_.desktop().frame().mdiArea()->setActiveSubWindow(
      reader_.desktop().frame().FindToolWindow(kReaderTemplate));
  ProcessEvents();
  reader_.desktop().Mark();
  Press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(composer->field(SendMail::kTo)->text(), QStringLiteral("ali@ornek.tr"));
  EXPECT_EQ(reader_.LastSpoken(),
            "Posta gönderme penceresinde gönderilmemiş bir posta var, önce onu gönderin ya da silin");
  composer->field(SendMail::kTo)->clear();
}

}  // namespace
}  // namespace lirvan::test
