// The spoken word dialogs used by the editor, the composer and the browser:
// what each field says, the echo, how each dialog ends and what replace does.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "../shell/fake_host.h"
#include "../shell/gui_support.h"
#include "key_support.h"
#include "editor/finddialog.h"
#include "editor/readbetween.h"
#include "editor/replacedialog.h"
#include "shell/text.h"

namespace lirvan::test {
namespace {

SpokenCall Said(const char* operation, const char* utf8) { return {operation, Cp(utf8)}; }

// Shows a dialog as the user meets it: active, its first field focused.
void ShowActive(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (int i = 0; i < 100 && QApplication::focusWidget() == nullptr; ++i) QTest::qWait(10);
  ProcessEvents();
}

TEST(WordDialogs, EachFieldNamesItselfWhenItTakesTheFocus) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<WordFieldsDialog>(Speaker&)> make;
    std::vector<const char*> announcements;
    const char* caption;
  };
  const Case cases[] = {
      {"find", [](Speaker& s) { return std::make_unique<FindDialog>(s); }, {"Aranacak kelime"},
       "Kelime Bul"},
      {"replace", [](Speaker& s) { return std::make_unique<ReplaceDialog>(s); },
       {"Eski kelime", "Yeni kelime"}, "Kelime Değiştir"},
      {"read between", [](Speaker& s) { return std::make_unique<ReadBetweenDialog>(s); },
       {"Birinci Kelime", "Ikinci Kelime"}, "Iki Kelime Arasını Oku"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeHost host;
    auto dialog = c.make(host);
    ShowActive(*dialog);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption));
    std::vector<SpokenCall> expected{Said("Speak", c.announcements[0])};
    if (c.announcements.size() > 1) {
      Press(Qt::Key_Tab);
      expected.push_back(Said("Speak", c.announcements[1]));
    }
    EXPECT_EQ(host.calls, expected);
    dialog->reject();
  }
}

TEST(WordDialogs, TypingSpeaksTheLastCharacterOfTheFieldWhateverTheEchoSetting) {
  FakeHost host;
  host.echo = false;
  ReadBetweenDialog dialog(host);
  ShowActive(dialog);
  Press(Qt::Key_Tab);
  host.calls.clear();
  TypeUnicode(QStringLiteral("kı"));
  EXPECT_EQ(host.calls, (std::vector<SpokenCall>{{"SpeakCharacter", "k"},
                                                 {"SpeakCharacter", "\xFD"}}));
  EXPECT_EQ(dialog.secondWord(), QStringLiteral("kı"));
  EXPECT_TRUE(dialog.firstWord().isEmpty());
}

TEST(WordDialogs, EnterIsOkAndEscapeCancels) {
  for (const bool enter : {true, false}) {
    SCOPED_TRACE(enter ? "Enter" : "Escape");
    FakeHost host;
    FindDialog dialog(host);
    ShowActive(dialog);
    TypeUnicode(QStringLiteral("ağaç"));
    Press(enter ? Qt::Key_Return : Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), enter ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.word(), QStringLiteral("ağaç"));
  }
}

TEST(WordDialogs, ReadBetweenGivesBothWords) {
  FakeHost host;
  ReadBetweenDialog dialog(host);
  ShowActive(dialog);
  TypeUnicode(QStringLiteral("baş"));
  Press(Qt::Key_Tab);
  TypeUnicode(QStringLiteral("son"));
  Press(Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.firstWord(), QStringLiteral("baş"));
  EXPECT_EQ(dialog.secondWord(), QStringLiteral("son"));
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlap) {
  struct Case {
    const char* text;
    const char* oldWord;
    const char* newWord;
    int count;
    const char* result;
  };
  const Case cases[] = {
      {"aaa", "a", "b", 3, "bbb"},
      {"aaaa", "aa", "x", 2, "xx"},
      {"aaa", "aa", "x", 1, "xa"},
      {"kedi köpek kedicik", "kedi", "pisi", 2, "pisi köpek pisicik"},
      {"satır\nsatır", "satır", "dize", 2, "dize\ndize"},
      {"Ağaç ağaç", "ağaç", "dal", 1, "Ağaç dal"},
      {"hiç yok", "var", "yok", 0, "hiç yok"},
      {"boş", "", "x", 0, "boş"},
      {"ab", "ab", "abab", 1, "abab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(ReplaceAll(text, QString::fromUtf8(c.oldWord), QString::fromUtf8(c.newWord)),
              c.count);
    EXPECT_EQ(text, QString::fromUtf8(c.result));
  }
}

TEST(ReplaceDialogTest, ClosingInAnyWayReplacesAndSpeaksTheOutcome) {
  struct Case {
    const char* name;
    const char* oldWord;
    const char* newWord;
    int closeKey;
    const char* text;
    std::vector<SpokenCall> said;
  };
  const Case cases[] = {
      {"three letters, Escape", "a", "b", Qt::Key_Escape, "bbb",
       {{"SpeakDirect", "3"}, Said("SpeakAndWait", "tane değişim yapıldı")}},
      {"Enter", "a", "bc", Qt::Key_Return, "bcbcbc",
       {{"SpeakDirect", "3"}, Said("SpeakAndWait", "tane değişim yapıldı")}},
      {"no match", "x", "y", Qt::Key_Return, "aaa",
       {Said("Speak", "Hiç değiştirme yapılmadı")}},
      {"no old word", "", "y", Qt::Key_Return, "aaa",
       {Said("Speak", "Aranacak kelimeyi girmediniz")}},
      {"no new word (no deleting)", "a", "", Qt::Key_Escape, "aaa",
       {Said("Speak", "Yeni kelimeyi girmediniz")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeHost host;
    ReplaceDialog dialog(host);
    dialog.setText(QStringLiteral("aaa"));
    ShowActive(dialog);
    dialog.field(0)->setText(QString::fromUtf8(c.oldWord));
    dialog.field(1)->setText(QString::fromUtf8(c.newWord));
    host.calls.clear();
    Press(c.closeKey);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.text(), QString::fromUtf8(c.text));
    EXPECT_EQ(host.calls, c.said);
  }
}

TEST(ReplaceDialogTest, ClosingTheWindowReplacesOnce) {
  FakeHost host;
  ReplaceDialog dialog(host);
  dialog.setText(QStringLiteral("xyx"));
  ShowActive(dialog);
  dialog.field(0)->setText(QStringLiteral("x"));
  dialog.field(1)->setText(QStringLiteral("xx"));
  host.calls.clear();
  dialog.close();
  ProcessEvents();
  EXPECT_EQ(dialog.text(), QStringLiteral("xxyxx"));
  EXPECT_EQ(dialog.replacements(), 2);
  EXPECT_EQ(host.calls.size(), 2u);
}

}  // namespace
}  // namespace lirvan::test
