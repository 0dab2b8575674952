// Typing and moving in the editor through real key events: what is heard
// for each key, and what the text becomes.
#include <QClipboard>
#include <QGuiApplication>

#include "editor/typing_speech.h"
#include "editor_fixture.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<LogLine>;

TEST_F(EditorTest, TwoLetterWordAndSpaceSayTheWordThenTheBlank) {
  TypeUnicode(QStringLiteral("ev"));
  EXPECT_TRUE(Said().empty()) << "echo is off";
  Press(Qt::Key_Space);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "ev"}, {"SpeakCharacter", " "}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("ev "));
}

TEST_F(EditorTest, OneLetterAndEnterSaysTheLetterAndNewLineAndMovesToTheSecondLine) {
  TypeUnicode(QStringLiteral("ş"));
  Press(Qt::Key_Return);
  EXPECT_EQ(Said(), (Lines{{"SpeakCharacter", "ş"}, {"Speak", "Yeni satır"}}));
  EXPECT_EQ(text().Text(), "\xFE\r\n");
  EXPECT_EQ(text().CaretPosition(), 3);
  EXPECT_EQ(text().LineOfPosition(text().CaretPosition()), 1);
}

TEST_F(EditorTest, EnterAfterABlankSaysOnlyNewLineAndBreaksInPlace) {
  Given(QStringLiteral("bir iki"), 4);
  Press(Qt::Key_Return);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Yeni satır"}}));
  EXPECT_EQ(text().Text(), "bir \r\niki");
  EXPECT_EQ(text().CaretPosition(), 6);
}

TEST_F(EditorTest, BackspaceSaysSilThenWhatItTook) {
  Given(QStringLiteral("kalem"), 5);
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Said(), (Lines{{"SpeakVerbatim", "Sil"}, {"SpeakCharacter", "m"}}));
  Given(QStringLiteral("a\nb"), 3);  // "a" CR LF "b": the caret before b
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Said(), (Lines{{"SpeakVerbatim", "Sil"}, {"Speak", "Satır birleştirildi"}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("ab"));
  Given(QStringLiteral("x"), 0);
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Said(), (Lines{{"SpeakVerbatim", "Sil"}})) << "nothing to take";
}

TEST_F(EditorTest, DeleteSaysWhatItTook) {
  Given(QStringLiteral("ağaç dalı"), 0);
  Press(Qt::Key_Delete);
  EXPECT_EQ(Said(), (Lines{{"SpeakCharacter", "a"}}));
  text().SetSelectionLength(3);
  Press(Qt::Key_Delete);
  EXPECT_EQ(Said(), (Lines{{"Speak", "ğaç silindi"}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral(" dalı"));
}

TEST_F(EditorTest, ClipboardKeysSayWhatTheyDid) {
  QGuiApplication::clipboard()->clear();
  Given(QStringLiteral("kedi\nköpek"), 0);
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Hiçbir şey seçili değil"}}));
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Hiçbir şey yapıştırılmadı"}}));

  text().SetSelectionLength(9);  // "kedi" CR LF "köp"
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "kedi köp"}, {"SpeakAndWait", "kopyalandi"}}));
  EXPECT_EQ(editor_->typing().clipboardText(), "kedi\r\nk\xF6p");
  // Nothing selected: the old clipboard text was not copied again.
  text().SetCaretPosition(0);
  Press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Hiçbir şey seçili değil"}}));
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Hiçbir şey kesilmedi"}}));

  text().SetSelectionLength(4);
  Press(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "kedi"}, {"SpeakAndWait", "kesildi"}}));
  text().SetCaretPosition(text().Length());
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "kedi"}, {"SpeakAndWait", "yapıştırıldı"}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("\nköpekkedi"));
}

TEST_F(EditorTest, TableClipboardKeysWorkAsTheControlsOwn) {
  Given(QStringLiteral("elma"), 0);
  text().SetSelectionLength(4);
  Press(Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "elma"}, {"SpeakAndWait", "kopyalandi"}}));
  text().SetCaretPosition(4);
  Press(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "elma"}, {"SpeakAndWait", "yapıştırıldı"}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("elmaelma"));
}

TEST_F(EditorTest, EveryMovementIsHeard) {
  Given(QStringLiteral("Bir iki\n\nüç"), 0);
  struct Step {
    int key;
    Qt::KeyboardModifiers modifiers;
    Lines said;
  };
  const Step steps[] = {
      {Qt::Key_Left, {}, {{"Speak", "İşaretçi en başta"}}},
      {Qt::Key_Right, {}, {{"SpeakCharacter", "i"}}},
      {Qt::Key_End, {}, {{"Speak", "Bir iki"}}},
      {Qt::Key_Right, {}, {{"Speak", "Satır sonu"}}},
      {Qt::Key_Down, {}, {{"Speak", "üç"}}},
      {Qt::Key_Up, {}, {{"Speak", "Boş satır"}}},
      {Qt::Key_PageDown, {}, {{"Speak", "üç"}}},
      {Qt::Key_End, {}, {{"Speak", "üç"}}},
      {Qt::Key_Right, {}, {{"Speak", "İşaretçi en sonda"}}},
      {Qt::Key_Home, Qt::ControlModifier, {{"Speak", "Bir iki"}}},
      {Qt::Key_Right, Qt::ControlModifier, {{"SpeakAndWait", "iki"}}},
      {Qt::Key_Left, Qt::ControlModifier, {{"SpeakAndWait", "Bir"}}},
      {Qt::Key_Left, Qt::ControlModifier, {{"Speak", "İşaretçi en başta"}}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(QKeySequence(step.key | step.modifiers).toString().toStdString());
    Press(step.key, step.modifiers);
    EXPECT_EQ(Said(), step.said);
  }
}

TEST_F(EditorTest, ShiftSelectionSaysWhatItCoveredOrLetGo) {
  Given(QStringLiteral("ev\nyol"), 0);
  Press(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "e seçildi"}}));
  Press(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "v y seçildi"}}));
  Press(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "y seçimden çıkarıldı"}}));
  EXPECT_EQ(text().SelectedText(), "ev\r\n");
}

TEST_F(EditorTest, UndoSaysWhatItTookBack) {
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "Geri alınacak bir şey yok"}}));
  TypeUnicode(QStringLiteral("merhaba"));
  Said();
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "merhaba geri alındı"}}));
  EXPECT_TRUE(text().UnicodeText().isEmpty());
  // Alt+Backspace is the same command; it brings a deleted word back.
  Given(QStringLiteral("kara kedi"), 9);
  text().SetCaretPosition(5);
  text().SetSelectionLength(4);
  Press(Qt::Key_Delete);
  Said();
  Press(Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "kedi geri alındı"}}));
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("kara kedi"));
}

class EchoingEditorTest : public EditorTest {
 protected:
  EchoingEditorTest() : EditorTest("0 1 1\nbuyukharf=1\n") {}
};

TEST_F(EchoingEditorTest, EchoSaysEachCharacterAndCapitalsAreAnnounced) {
  TypeUnicode(QStringLiteral("aİ?"));
  EXPECT_EQ(Said(), (Lines{{"SpeakCharacter", "a"},
                           {"SpeakVerbatim", "büyük"},
                           {"SpeakCharacter", "İ"},
                           {"SpeakCharacter", "?"}}));
  Press(Qt::Key_Home);
  Said();
  Press(Qt::Key_Right);
  EXPECT_EQ(Said(), (Lines{{"SpeakVerbatim", "büyük"}, {"SpeakCharacter", "İ"}}));
}

TEST_F(EditorTest, TheSettingsDialogTurnsCapitalsOnAsALaterLine) {
  Modals([] { Press(Qt::Key_F2); }, {[](QWidget&) {
                                      for (int i = 0; i < 3; ++i) Press(Qt::Key_Tab);
                                      Press(Qt::Key_Space);
                                      Press(Qt::Key_Return);
                                    }});
  const std::vector<LogLine> said = Said();
  EXPECT_NE(std::find(said.begin(), said.end(),
                      LogLine{"SpeakAndWait", "Büyük harfler belirtilmeyecek"}),
            said.end());
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Büyük harflerden önce büyük denecek"}));
  EXPECT_EQ(desktop_.ReadFile("veriler/ayarlar.dat"), "0 0 1\nbuyukharf=1\n");
  Given(QStringLiteral("aB"), 0);
  Press(Qt::Key_Right);
  EXPECT_EQ(Said(), (Lines{{"SpeakVerbatim", "büyük"}, {"SpeakCharacter", "B"}}));
}

TEST_F(EditorTest, CapitalsAreNotAnnouncedByDefault) {
  Given(QStringLiteral("aB"), 0);
  Press(Qt::Key_Right);
  EXPECT_EQ(Said(), (Lines{{"SpeakCharacter", "B"}}));
}

}  // namespace
}  // namespace lirvan::test
