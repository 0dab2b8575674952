// The mail composer through its keys on the real desktop: the spoken
// fields and the field index, what Alt+S says at each step against the
// private postfix (the mail read back from its maildirs) and against a
// misbehaving server, a failed send that keeps everything as typed, the
// question before an unsent mail is closed, and the body's editor keys.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "../editor/editor_fixture.h"
#include "mail/mime_message.h"
#include "mail/sendmail.h"
#include "platform/cp1254.h"
#include "postfix_server.h"
#include "server_support.h"
#include "smtp_script_server.h"

namespace lirvan::test {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

PostfixServer& Postfix() {
  static std::unique_ptr<PostfixServer> server = std::make_unique<PostfixServer>();
  return *server;
}

class Composer : public ::testing::Test {
 protected:
  // The server's replies are waited for one second at most.
  Composer() : desktop_("0 0 1\nsmtpbekleme=1\n") {}

  void SetUp() override {
    desktop_.Start();
    Press(Qt::Key_3, Qt::ControlModifier);
    CMdiChild* child = desktop_.frame().ActiveChild();
    ASSERT_NE(child, nullptr);
    composer_ = qobject_cast<SendMail*>(child->view());
    ASSERT_NE(composer_, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), composer_->field(SendMail::kTo));
  }
  void TearDown() override { TrustSystemOnly(); }

  // posta/PostaAyarlari.dat of the desktop's home, UTF-8 values as CP1254.
  void Account(const std::string& security, int port, const std::string& password = PostfixServer::kPassword) {
    std::filesystem::create_directories(desktop_.home() + "/posta");
    std::ofstream(desktop_.home() + "/posta/PostaAyarlari.dat", std::ios::binary)
        << Utf8ToCp1254("Lirvan Kullanıcısı\nlirvan@ornek.tr\n") << PostfixServer::kUser << "\n"
        << Utf8ToCp1254(password) << "\nlocalhost\npop.ornek.tr\ntls\n995\n" << security << "\n"
        << port << "\n";
  }

  // Each field typed in turn, Tab between them, as the user does.
  void Type(const std::vector<QString>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) Press(Qt::Key_Tab);
      TypeBody(fields[i]);
    }
  }
  // Enter as a key of its own, so the body's typing speech hears it.
  static void TypeBody(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i > 0) Press(Qt::Key_Return);
      TypeUnicode(lines[i]);
    }
  }

  std::vector<LogLine> Said() {
    std::vector<LogLine> said = desktop_.Since();
    desktop_.Mark();
    return said;
  }
  // The lines since the last Mark of the speak and wait family, in order.
  std::vector<LogLine> Sentences() {
    std::vector<LogLine> sentences;
    for (LogLine& line : Said()) {
      if (line.operation == "Speak" || line.operation == "SpeakAndWait") sentences.push_back(line);
    }
    return sentences;
  }
  QStringList Fields() const {
    QStringList fields;
    for (int i = 0; i < 4; ++i) fields << composer_->field(i)->text();
    return fields << composer_->body()->toPlainText();
  }
  void SendKey() { Press(Qt::Key_S, Qt::AltModifier); }
  int Modals(const std::function<void()>& trigger, std::vector<ModalStep> steps) {
    return DriveModalsAndReturn(desktop_.frame(), trigger, std::move(steps));
  }

  Desktop desktop_;
  SendMail* composer_ = nullptr;
};

TEST_F(Composer, FieldsAnnounceThemselvesAndTheIndexFollowsTheFocus) {
  desktop_.Mark();
  // Each change of a field says its last character.
  TypeUnicode(U("aş"));
  EXPECT_EQ(Said(), (std::vector<LogLine>{{"SpeakCharacter", "a"}, {"SpeakCharacter", "ş"}}));
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Said(), (std::vector<LogLine>{{"SpeakCharacter", "a"}}));
  composer_->field(SendMail::kTo)->clear();
  Said();
  Type({U("ali@ornek.tr"), U(""), U(""), U("Konu")});
  Press(Qt::Key_Tab);
  Press(Qt::Key_Tab);  // round to the recipient
  const std::vector<LogLine> expected{
      {"SpeakAndWait", "Göderilecek diğer adresler"},
      {"SpeakAndWait", "Gizli göderilecek adresler"},
      {"SpeakAndWait", "Posta konusu"},
      {"Speak", "Posta içeriği"},
      {"SpeakAndWait", "Posta Gönderme açıldı"},
      {"SpeakAndWait", "Gönderilecek adres"},
      {"SpeakAndWait", "Şu anki değer ali@ornek.tr"},
  };
  EXPECT_EQ(Sentences(), expected);
  EXPECT_EQ(composer_->currentField(), SendMail::kTo);
  // The field typed into echoes its last character.
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Sentences(), (std::vector<LogLine>{{"Speak", "Şu anki değer ali@ornek.tr"}}));
  // The focus moved without Tab (a click): Ctrl+A reads that field.
  composer_->field(SendMail::kSubject)->setFocus(Qt::MouseFocusReason);
  ProcessEvents();
  EXPECT_EQ(composer_->currentField(), SendMail::kSubject);
  Said();
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Sentences(), (std::vector<LogLine>{{"Speak", "Şu anki değer Konu"}}));
  composer_->field(SendMail::kCc)->setFocus(Qt::MouseFocusReason);
  ProcessEvents();
  Said();
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Sentences(), (std::vector<LogLine>{{"Speak", "Alan boş"}}));
}

TEST_F(Composer, IncompleteFieldsSendNothingAndTheFocusGoesThere) {
  SmtpScriptServer server;
  Account("yok", server.port());
  TypeUnicode(U("ali@ornek.tr"));
  Said();
  SendKey();
  EXPECT_EQ(Sentences(), (std::vector<LogLine>{{"SpeakAndWait", "Posta konusu"},
                                               {"Speak", "Bilgiler tam olarak girilmemiş"}}));
  EXPECT_EQ(QApplication::focusWidget(), composer_->field(SendMail::kSubject));
  EXPECT_EQ(composer_->currentField(), SendMail::kSubject);
  // A recipient that is no address: said, and the focus is there.
  TypeUnicode(U("Konu"));
  composer_->field(SendMail::kCc)->setText(U("veli@ornek.tr; bozuk adres"));
  Said();
  SendKey();
  const std::vector<LogLine> said = Sentences();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), (LogLine{"Speak", "Adres anlaşılmadı bozuk adres"}));
  EXPECT_EQ(composer_->currentField(), SendMail::kCc);
  EXPECT_EQ(server.Connections(), 0);
}

TEST_F(Composer, WithoutAnAccountTheSettingsAreAskedFor) {
  Type({U("ali@ornek.tr"), U(""), U(""), U("Konu")});
  Said();
  const int dialogs = DriveModals([this] { SendKey(); }, {[](QWidget& dialog) {
                                    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ayarlar"));
                                  }});
  EXPECT_EQ(dialogs, 1);
  const std::vector<LogLine> said = Sentences();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.front(),
            (LogLine{"Speak", "Herhangi bir eposta ayarı yok ayarlarınızı giriniz bitince entır a basınız"}));
}

TEST_F(Composer, SendsThroughPostfixWithStartTlsAndEveryRecipientGetsTheMailIntact) {
  PostfixServer& postfix = Postfix();
  TrustTestAuthority(postfix.authority());
  Account("starttls", postfix.submissionPort());
  Type({U("ali@ornek.tr, Veli Öz <veli@ornek.tr>"), U("ayse@ornek.tr"), U("gizli@ornek.tr"),
        U("Toplantı ğüşiöç"), U(".ilk satır noktayla\nİkinci satır ĞÜŞİÖÇ")});
  const QStringList typed = Fields();
  Said();
  SendKey();
  const std::vector<LogLine> expected{{"SpeakAndWait", "Posta gönderiliyor"},
                                      {"SpeakAndWait", "Bağlantı şifreli"},
                                      {"Speak", "Posta başarı ile gönderildi"}};
  EXPECT_EQ(Sentences(), expected) << postfix.Log();
  EXPECT_EQ(Fields(), typed);
  for (const char* box : {"ali", "veli", "ayse", "gizli"}) {
    SCOPED_TRACE(box);
    const std::vector<std::string> mails = postfix.WaitForMails(box, 1);
    ASSERT_EQ(mails.size(), 1u) << postfix.Log();
    const QByteArray mail = ClientPart(mails.front());
    EXPECT_FALSE(mail.contains("gizli@")) << "Bcc in the header";
    const ParsedMail parsed = ParseMail(mail);
    EXPECT_EQ(parsed.headers.subject, U("Toplantı ğüşiöç"));
    EXPECT_EQ(parsed.headers.to, U("ali@ornek.tr, Veli Öz veli@ornek.tr"));
    EXPECT_EQ(parsed.headers.cc, U("ayse@ornek.tr"));
    EXPECT_EQ(parsed.plainText, U(".ilk satır noktayla\nİkinci satır ĞÜŞİÖÇ\n"));
  }
  // Sent: closing asks nothing.
  Said();
  desktop_.frame().ActiveChild()->close();
  ProcessEvents();
  EXPECT_EQ(desktop_.frame().ActiveChild(), nullptr);
}

TEST_F(Composer, AFailedSendKeepsTheMailAndSaysTheServersReason) {
  struct Case {
    const char* name;
    SmtpMisbehaviour misbehaviour;
    const char* sentence;
  };
  SmtpMisbehaviour refused;
  refused.refusedRecipients = {"veli@ornek.tr"};
  SmtpMisbehaviour silent;
  silent.silentAfter = "DATA";
  SmtpMisbehaviour hangsUp;
  hangsUp.closeInData = true;
  SmtpMisbehaviour noGreeting;
  noGreeting.noGreeting = true;
  const Case cases[] = {
      {"5xx on RCPT", refused,
       "Posta gönderilemedi, sunucu veli@ornek.tr adresini reddetti 5.1.1 Alıcı bulunamadı"},
      {"no reply after DATA", silent,
       "Posta gönderilemedi, sunucu 1 saniyedir yanıt vermiyor, bağlantı kesildi"},
      {"closed mid-DATA", hangsUp, "Posta gönderilemedi, sunucu bağlantıyı kesti"},
      {"no greeting", noGreeting,
       "Posta gönderilemedi, sunucu 1 saniyedir yanıt vermiyor, bağlantı kesildi"},
  };
  Type({U("ali@ornek.tr; veli@ornek.tr"), U(""), U(""), U("Konu"),
        U("Uzun bir posta ") + QString(300, QLatin1Char('x'))});
  const QStringList typed = Fields();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SmtpScriptServer server(c.misbehaviour);
    Account("yok", server.port());
    Said();
    SendKey();
    const std::vector<LogLine> said = Sentences();
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Posta gönderiliyor"}));
    EXPECT_EQ(said.back(), (LogLine{"Speak", c.sentence}));
    EXPECT_EQ(Fields(), typed);
    EXPECT_FALSE(server.ReceivedCommand("AUTH"));
  }
  {
    SCOPED_TRACE("nobody listening");
    Account("yok", FreeLoopbackPort());
    Said();
    SendKey();
    EXPECT_EQ(Sentences().back(),
              (LogLine{"Speak", "Posta sunucusuna bağlanamıyor Lütfen ayarlarınızı kontrol edin"}));
  }
}

TEST_F(Composer, TheProtectionIsSaidAndRefusalsComeWithTheServersWords) {
  PostfixServer& postfix = Postfix();
  const std::size_t before = postfix.Mails("ali").size();
  Type({U("ali@ornek.tr"), U(""), U(""), U("Konu"), U("metin")});
  struct Case {
    const char* name;
    const char* security;
    int port;
    bool trusted;
    const char* password;
    std::vector<LogLine> said;
  };
  const Case cases[] = {
      {"plain: said so, sent without credentials", "yok", postfix.plainPort(), true,
       PostfixServer::kPassword,
       {{"SpeakAndWait", "Posta gönderiliyor"},
        {"SpeakAndWait", "Bağlantı şifresiz"},
        {"Speak", "Posta başarı ile gönderildi"}}},
      {"a certificate nobody trusts", "tls", postfix.tlsPort(), false, PostfixServer::kPassword,
       {{"SpeakAndWait", "Posta gönderiliyor"},
        {"Speak", "Posta gönderilemedi, sunucunun güvenlik sertifikası doğrulanamadı, bağlantı reddedildi"}}},
      // Last: the authentication service holds back whoever failed.
      {"a wrong password", "starttls", postfix.submissionPort(), true, "yanlış",
       {{"SpeakAndWait", "Posta gönderiliyor"},
        {"Speak", "Posta gönderilemedi, sunucu hesabı reddetti 5.7.8 Error: authentication failed: "
                  "(reason unavailable)"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.trusted) {
      TrustTestAuthority(postfix.authority());
    } else {
      TrustSystemOnly();
    }
    Account(c.security, c.port, c.password);
    composer_->field(SendMail::kSubject)->setText(U("Konu ") + QString::fromUtf8(c.name));
    Said();
    SendKey();
    EXPECT_EQ(Sentences(), c.said) << postfix.Log();
  }
  EXPECT_EQ(postfix.WaitForMails("ali", before + 1).size(), before + 1);
}

TEST_F(Composer, ClosingAnUnsentMailAsksFirst) {
  Type({U("ali@ornek.tr"), U(""), U(""), U("Konu")});
  CMdiChild* window = desktop_.frame().ActiveChild();
  Said();
  EXPECT_EQ(DriveModals([&] { window->close(); }, {Answer("Vazgeç")}), 1);
  EXPECT_EQ(desktop_.frame().ActiveChild(), window) << "the window closed";
  std::vector<LogLine> said = Sentences();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.front(), (LogLine{"SpeakAndWait", "Gönderilmemiş posta var. Gönderilsin mi?"}));
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Vazgeçildi"}));
  // The program too asks, and stays when told so.
  EXPECT_EQ(DriveModals([&] { desktop_.frame().close(); }, {Answer("Vazgeç")}), 1);
  EXPECT_TRUE(desktop_.frame().isVisible());
  // No: the mail is dropped with its window.
  EXPECT_EQ(DriveModals([&] { window->close(); }, {Answer("Hayır")}), 1);
  ProcessEvents();
  EXPECT_EQ(desktop_.frame().ActiveChild(), nullptr);
}

TEST_F(Composer, TheBodyTypesReadsFindsAndReplacesAsTheEditorDoes) {
  Type({U(""), U(""), U(""), U("")});
  Press(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), composer_->body());
  Said();
  TypeUnicode(U("ab"));
  Press(Qt::Key_Space);
  EXPECT_EQ(Said(), (std::vector<LogLine>{{"SpeakAndWait", "ab"}, {"SpeakCharacter", " "}}));
  TypeBody(U("elma armut\nelma"));
  Said();
  EXPECT_EQ(Modals([] { Press(Qt::Key_F, Qt::ControlModifier); }, {Fill({U("elma")})}), 1);
  EXPECT_EQ(QApplication::focusWidget(), composer_->body());
  std::vector<LogLine> said = Sentences();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "numaralı satırda bulundu"}));
  EXPECT_EQ(Modals([] { Press(Qt::Key_R, Qt::ControlModifier); }, {Fill({U("elma"), U("kiraz")})}), 1);
  EXPECT_EQ(composer_->body()->toPlainText(), U("ab kiraz armut\nkiraz"));
  Said();
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Sentences(), (std::vector<LogLine>{{"Speak", "ab kiraz armut kiraz"}}));
}

}  // namespace
}  // namespace lirvan::test
