// The editor's reading commands, where-am-I, find and its kin and replace,
// through the accelerator keys and the spoken dialogs.
#include "editor_fixture.h"

namespace lirvan::test {
namespace {

using Lines = std::vector<LogLine>;

TEST_F(EditorTest, ReadingCommandsSayTheirStretchOrWhyNot) {
  struct Case {
    const char* text;
    int caret;
    int key;
    Lines said;
  };
  const Case cases[] = {
      {"", 0, Qt::Key_A, {{"SpeakAndWait", "Henüz okunacak yazı yok"}}},
      {"bir\niki", 2, Qt::Key_A, {{"Speak", "bir iki"}}},
      {"bir\niki", 0, Qt::Key_B, {{"SpeakAndWait", "İşaretçi en başta"}}},
      {"bir\niki", 6, Qt::Key_B, {{"Speak", "bir i"}}},
      {"bir\niki", 2, Qt::Key_E, {{"Speak", "r iki"}}},
      // The caret before the last character counts as the end.
      {"bir\niki", 7, Qt::Key_E, {{"Speak", "İşaretçi en sonda"}}},
      {"bir\niki", 8, Qt::Key_E, {{"Speak", "İşaretçi en sonda"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.caret));
    Given(QString::fromUtf8(c.text), c.caret);
    Press(c.key, Qt::ControlModifier);
    EXPECT_EQ(Said(), c.said);
  }
}

TEST_F(EditorTest, ReadAllCollapsesTheSelectionAndKeepsTheCaret) {
  Given(QStringLiteral("bir iki"), 4);
  text().SetSelectionLength(3);
  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(text().textCursor().hasSelection());
  EXPECT_EQ(text().CaretPosition(), 4);
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("bir iki"));
}

TEST_F(EditorTest, ReadSelectionSaysLineBreaksAsBlanksAndNothingWhenEmpty) {
  Given(QStringLiteral("ev\nyol"), 1);
  Press(Qt::Key_K, Qt::ControlModifier);
  EXPECT_TRUE(Said().empty());
  text().SetSelectionLength(5);
  Press(Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "v yo"}}));
}

TEST_F(EditorTest, WhereAmISaysTheLineAndTheWord) {
  struct Case {
    const char* name;
    int caret;
    Lines said;
  };
  // "ilk satır" CR LF "ikinci kelime": positions 0..8, 9 10, 11..23.
  const Case cases[] = {
      {"second letter of the last word", 19,
       {{"SpeakDirect", "2"},
        {"SpeakAndWait", "numaralı satırdasınız"},
        {"SpeakAndWait", "kelime"},
        {"SpeakAndWait", "kelimesinin üzerindesiniz"}}},
      {"on the blank between two words", 17,
       {{"SpeakDirect", "2"},
        {"SpeakAndWait", "numaralı satırdasınız"},
        {"SpeakAndWait", "Bir kelimenin üzerinde değilsiniz"}}},
      {"at the very end", 24,
       {{"SpeakAndWait", "En sonda"}, {"SpeakDirect", "2"}, {"SpeakAndWait", " numaralı satırda"}}},
      {"at the start", 0, {{"SpeakAndWait", "En başta"}, {"SpeakAndWait", "bir numaralı satırda"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Given(QStringLiteral("ilk satır\nikinci kelime"), c.caret);
    Press(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(Said(), c.said);
  }
}

// The log after a dialog: what the view said once the dialog had closed.
Lines After(const Lines& said, const std::string& last) {
  for (std::size_t i = said.size(); i-- > 0;) {
    if (said[i].text == last) return {said.begin() + static_cast<std::ptrdiff_t>(i) + 1, said.end()};
  }
  return said;
}

TEST_F(EditorTest, FindSaysTheWordAndItsLineAndGoesThere) {
  Given(QStringLiteral("bir kedi\niki kedi\nüç"), 0);
  const int steps = Modals([] { Press(Qt::Key_F, Qt::ControlModifier); },
                                {Fill({QStringLiteral("kedi")})});
  EXPECT_EQ(steps, 1);
  const Lines said = Said();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.front(), (LogLine{"Speak", "Aranacak kelime"}));
  EXPECT_EQ(After(said, "i"), (Lines{{"SpeakAndWait", "kedi"},
                                     {"SpeakDirect", "1"},
                                     {"SpeakAndWait", "numaralı satırda bulundu"}}));
  EXPECT_EQ(text().CaretPosition(), 4);

  Press(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "kedi"},
                           {"SpeakDirect", "2"},
                           {"SpeakAndWait", "numaralı satırda bulundu"}}));
  EXPECT_EQ(text().CaretPosition(), 14);
  // After the last match, and then round to the first again.
  Press(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"SpeakAndWait", "Dosyanın kalanında"},
                           {"SpeakAndWait", "kedi"},
                           {"SpeakAndWait", "bulunamadı"}}));
  EXPECT_EQ(editor_->foundPosition(), -1);
  Press(Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(text().CaretPosition(), 4);
}

TEST_F(EditorTest, AWordNotFoundIsSaidAndTheNextSearchStartsAgain) {
  Given(QStringLiteral("ağaç ve dal"), 5);
  Modals([] { Press(Qt::Key_F, Qt::ControlModifier); }, {Fill({QStringLiteral("yaprak")})});
  EXPECT_EQ(After(Said(), "k"), (Lines{{"SpeakAndWait", "yaprak"}, {"Speak", "bulunamadı"}}));
  EXPECT_EQ(text().CaretPosition(), 5) << "the caret stays";
  // Escape: nothing is searched.
  Modals([] { Press(Qt::Key_F, Qt::ControlModifier); },
              {Fill({QStringLiteral("dal")}, Qt::Key_Escape)});
  EXPECT_EQ(editor_->searchWord(), QStringLiteral("yaprak"));
  EXPECT_EQ(text().CaretPosition(), 5);
}

TEST_F(EditorTest, FindingIsExactAndCaseSensitiveInsideLongerWords) {
  Given(QStringLiteral("Işık ışıkçı ışık"), 0);
  Modals([] { Press(Qt::Key_F, Qt::ControlModifier); }, {Fill({QStringLiteral("ışık")})});
  EXPECT_EQ(text().CaretPosition(), 5);
}

TEST_F(EditorTest, ReadBetweenReadsUpToTheNextMatchThenToTheEnd) {
  Given(QStringLiteral("ve bir ve iki ve son"), 0);
  Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(Said().empty()) << "no word searched yet";
  Modals([] { Press(Qt::Key_F, Qt::ControlModifier); }, {Fill({QStringLiteral("ve")})});
  Said();
  Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "ve bir "}}));
  EXPECT_EQ(text().CaretPosition(), 7);
  Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "ve iki "}}));
  Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Said(), (Lines{{"Speak", "e son"}}));
  EXPECT_EQ(text().CaretPosition(), text().Length() - 1);
}

TEST_F(EditorTest, ReplaceEveryOneLetterWordAndWriteTheTextBack) {
  Given(QStringLiteral("aaa"), 1);
  const int steps = Modals([] { Press(Qt::Key_R, Qt::ControlModifier); },
                                {Fill({QStringLiteral("a"), QStringLiteral("be")},
                                      Qt::Key_Escape)});
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("bebebe"));
  const Lines said = Said();
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ((Lines{said.end() - 2, said.end()}),
            (Lines{{"SpeakDirect", "3"}, {"SpeakAndWait", "tane değişim yapıldı"}}));
  EXPECT_EQ(text().CaretPosition(), 1);
  // One undo takes the whole replacement back.
  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("aaa"));
}

TEST_F(EditorTest, ReplaceWithoutANewWordChangesNothing) {
  Given(QStringLiteral("kalem"), 2);
  Modals([] { Press(Qt::Key_R, Qt::ControlModifier); }, {Fill({QStringLiteral("kalem")})});
  EXPECT_EQ(text().UnicodeText(), QStringLiteral("kalem"));
  EXPECT_EQ(Said().back(), (LogLine{"Speak", "Yeni kelimeyi girmediniz"}));
}

}  // namespace
}  // namespace lirvan::test
