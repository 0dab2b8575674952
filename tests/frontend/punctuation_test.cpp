// Punctuation levels: which marks each level reads, on one sentence that
// holds every kind of mark.
#include "frontend/punctuation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

// The marks spoken for the text at the level, as written.
std::vector<std::string> MarksRead(std::string_view utf8, PunctuationLevel level) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  frontEnd->SetPunctuation(level);
  frontEnd->SetText(Utf8ToCp1254(utf8));
  frontEnd->Run();
  std::vector<std::string> marks;
  for (const auto& token : sink.tokens) {
    if (token->kind == TokenKind::Symbol) marks.push_back(Cp1254ToUtf8(token->source));
  }
  return marks;
}

// The apostrophe of "Ali'nin", the percent sign and the signs written on
// numbers belong to the words and numbers they are part of: read at every
// level, never as marks.
constexpr std::string_view kSentence =
    "Ali'nin \"kitabı\" (yeni) mi? Evet! a/b, c\\d; e: f... [g] {h} 'x' ‘y’ «z» "
    "-5 a - b + c ± d %4 * = _ # @ & ~ ^ $ bitti.";

TEST(PunctuationLevels, EachLevelReadsItsMarks) {
  const std::vector<std::string> some = {"\"", "\"", "(", ")", "?", "!", "/", "\\", "[", "]",
                                         "{", "}", "'", "'", "‘", "’", "«", "»", "-", "+", "±"};
  const std::vector<std::string> most = {"\"", "\"", "(", ")", "?", "!", "/", "\\", ";", ":",
                                         "...", "[", "]", "{", "}", "'", "'", "‘", "’", "«",
                                         "»", "-", "+", "±", "*", "=", "_", "#", "@", "&",
                                         "~", "^", "$"};
  const std::vector<std::string> all = {
      "\"", "\"", "(", ")", "?", "!", "/", ",", "\\", ";", ":", "...", "[", "]", "{", "}", "'",
      "'", "‘", "’", "«", "»", "-", "+", "±", "*", "=", "_", "#", "@", "&", "~", "^", "$", "."};
  EXPECT_EQ(MarksRead(kSentence, PunctuationLevel::None), std::vector<std::string>{});
  EXPECT_EQ(MarksRead(kSentence, PunctuationLevel::Some), some);
  EXPECT_EQ(MarksRead(kSentence, PunctuationLevel::Most), most);
  EXPECT_EQ(MarksRead(kSentence, PunctuationLevel::All), all);
}

TEST(PunctuationLevels, ApostropheBetweenLettersIsTheCommonestMark) {
  struct Case {
    const char* mark;
    bool inWord;
    PunctuationLevel lowest;
  };
  const Case cases[] = {
      {"'", true, PunctuationLevel::All},   {"'", false, PunctuationLevel::Some},
      {"\x92", true, PunctuationLevel::All}, {",", false, PunctuationLevel::All},
      {".", false, PunctuationLevel::All},  {"...", false, PunctuationLevel::Most},
      {"?.", false, PunctuationLevel::Some}, {";", false, PunctuationLevel::Most},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mark);
    for (int level = 0; level <= 3; ++level) {
      EXPECT_EQ(ReadsMark(static_cast<PunctuationLevel>(level), c.mark, c.inWord),
                level >= static_cast<int>(c.lowest))
          << level;
    }
  }
}

}  // namespace
}  // namespace lirvan::test
