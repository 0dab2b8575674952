// The account dialog: prompts, echo, a password that is never spoken, the
// file it writes, and the reader asking for it when the account is missing.
#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "dovecot_server.h"
#include "mail/mailsetting.h"
#include "reader_support.h"

namespace lirvan::test {
namespace {

// Turkish letters as the keyboard sends them (QTest's own typing knows
// only ASCII).
void TypeLetters(const QString& text) {
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                        Qt::NoModifier);
  }
  ProcessEvents();
}

TEST(MailSettings, MissingAccountAsksForItAndTheDialogKeepsThePasswordUnspoken) {
  ReaderDesktop reader;
  Desktop& desktop = reader.desktop();
  desktop.Mark();
  bool shown = false;
  ASSERT_TRUE(WithModal([] { Press(Qt::Key_F5); }, [&](QWidget& widget) {
    auto* dialog = qobject_cast<CMailSettingsDialog*>(&widget);
    ASSERT_NE(dialog, nullptr);
    shown = true;
    EXPECT_TRUE(reader.Said("Speak", "Pop 3 ayarlarınızı giriniz bitince entır a basınız"));
    EXPECT_TRUE(reader.Said("Speak", "isim giriniz"));
    EXPECT_EQ(dialog->pop3Security()->currentText(), QStringLiteral("TLS"));
    EXPECT_EQ(dialog->field(CMailSettingsDialog::kPop3Port)->text(), QStringLiteral("995"));
    TypeLetters(QStringLiteral("Ağ"));
    dialog->field(CMailSettingsDialog::kUser)->setFocus();
    ProcessEvents();
    TypeText(QStringLiteral("ali"));
    desktop.Mark();
    dialog->field(CMailSettingsDialog::kPassword)->setFocus();
    ProcessEvents();
    TypeText(QStringLiteral("gizli"));
    EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "şifre giriniz"},
                                                     {"SpeakVerbatim", "yıldız"},
                                                     {"SpeakVerbatim", "yıldız"},
                                                     {"SpeakVerbatim", "yıldız"},
                                                     {"SpeakVerbatim", "yıldız"},
                                                     {"SpeakVerbatim", "yıldız"}}));
    dialog->field(CMailSettingsDialog::kPop3Server)->setFocus();
    ProcessEvents();
    TypeText(QStringLiteral("pop.ornek.tr"));
    // Choosing STARTTLS moves a port still at its usual number along.
    dialog->pop3Security()->setFocus();
    ProcessEvents();
    desktop.Mark();
    Press(Qt::Key_Down);
    EXPECT_EQ(dialog->field(CMailSettingsDialog::kPop3Port)->text(), QStringLiteral("110"));
    EXPECT_TRUE(reader.Said("Speak", "start ti el es"));
    Press(Qt::Key_Return);
  }));
  ASSERT_TRUE(shown);
  const std::vector<LogLine> log = desktop.Log();
  for (const LogLine& echo : {LogLine{"SpeakCharacter", "A"}, LogLine{"SpeakCharacter", "ğ"}}) {
    EXPECT_NE(std::find(log.begin(), log.end(), echo), log.end()) << echo;
  }
  EXPECT_FALSE(reader.SaidAnywhere("gizli"));
  const std::string path = desktop.home() + "/posta/PostaAyarlari.dat";
  EXPECT_EQ(ReadTextFile(path), "A\xF0\n\nali\ngizli\n\npop.ornek.tr\nstarttls\n110\nstarttls\n587\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  EXPECT_TRUE(std::filesystem::is_directory(desktop.home() + "/Mail"));
}

TEST(MailSettings, CancelWritesBackWhatTheDialogOpenedWith) {
  ReaderDesktop reader;
  const std::string home = reader.desktop().home();
  WriteAccount(home, "eski", "starttls", 1110, "pop.ornek.tr");
  const std::string before = ReadTextFile(home + "/posta/PostaAyarlari.dat");
  ASSERT_TRUE(WithModal([] { Press(Qt::Key_F4); }, [&](QWidget&) {
    TypeText(QStringLiteral("degisti"));
    Press(Qt::Key_Escape);
  }));
  EXPECT_EQ(ReadTextFile(home + "/posta/PostaAyarlari.dat"), before);
}

}  // namespace
}  // namespace lirvan::test
