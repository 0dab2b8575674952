// Bracketed markup: which tags become rule tokens, which change what is
// spoken, and which are read as plain text.
#include <gtest/gtest.h>

#include <string>

#include "frontend/markup.h"
#include "platform/trace.h"
#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

// How an opening or closing bracket reads when it is plain text.
const std::vector<std::string> kOpen = {"4|köşeli|[", "0|parantez", "0|aç"};
const std::vector<std::string> kClose = {"4|köşeli|]", "0|parantez", "0|kapat"};

std::vector<std::string> Cat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

TEST(Markup, GoldenRuleStreams) {
  const GoldenCase cases[] = {
      // The sable tags themselves yield nothing.
      {"[sable][emph level=\"strong\"]çok[/emph][/sable]", {"rule 0 1", "3|çok|çok", "rule 0 2"}},
      {"[sable][emph]a[/emph]", {"rule 0 2", "3|a|a", "rule 0 2"}},
      // An unknown level pushes nothing, so the closing tag finds only the reset value.
      {"[sable][emph level=\"loud\"]a[/emph]", {"3|a|a"}},
      {"[sable][break level=\"small\" type=\",\"]", {"rule 1 34"}},
      {"[sable][break]", {"rule 1 22"}},
      {"[sable][break level=\"none\" type=\"?\"]", {"rule 1 41"}},
      {"[sable][break type=\";\"]", {}},
      {"[sable][break level=\"huge\"]", {}},
      {"[sable][rate speed=\"slow\"]a[/rate][/rate]", {"rule 3 4", "3|a|a", "rule 3 3"}},
      {"[sable][rate speed=\"warp\"]", {}},
      // Without quotes a value is absent, and an absent speed is medium.
      {"[sable][rate speed=slow]", {"rule 3 3"}},
      {"[sable][volume level=\"loudest\"][/volume]", {"rule 4 1", "rule 4 3"}},
      {"[sable][pitch base=\"high\" middle=\"medium\" range=\"low\"][/pitch]",
       {"rule 2 234", "rule 2 666"}},
      {"[sable][pitch]", {"rule 2 333"}},
      {"[sable][pitch base=\"up\"]", {"rule 2 33"}},
      {"[sable][pitch range=\"wide\"][/pitch]", {"rule 2 666"}},  // pushed but invalid
      {"[sable][engine id=\"phonem\"][/engine]", {"rule 5 2", "rule 5 2"}},
      {"[sable][engine][/engine]", {}},
      {"[sable][engine id=\"x\"][/engine]", {"rule 5 2"}},  // invalid, yet 0 was pushed
      {"[sable][lang id=\"tr\"][/lang]", {"rule 9 1", "rule 9 1"}},
      {"[sable][lang id=\"en\"][/lang]", {}},
      {"[sable][speaker gender=\"female\" age=\"child\"][/speaker]", {"rule 10 25", "rule 10 12"}},
      {"[sable][speaker gender=\"robot\" age=\"teen\"]", {"rule 10 4"}},
      {"[sable][speaker age=\"ancient\"]", {}},
      {"[sable][audio src=\"a.wav\"]a[/audio][marker mark=\"m\"][div]b[/div]",
       {"3|a|a", "3|b|b"}},
      {"[sable][sayas mode=\"date\"]a[/sayas]", {"3|a|a"}},
      // Case does not matter, except that I lowers to dotless ı.
      {"[SABLE][Emph LEVEL=\"Strong\"]a", {"rule 0 1", "3|a|a"}},
      {"[sable][PITCH]a", Cat({kOpen, {"3|pıtch|PITCH"}, kClose, {"3|a|a"}})},
      {"[sable][foo]", Cat({kOpen, {"3|foo|foo"}, kClose})},
      // A closing break or pron is text.
      {"[sable][/break]", Cat({kOpen, {"4|bölü|/", "3|break|break"}, kClose})},
      {"[sable][/pron]", Cat({kOpen, {"4|bölü|/", "3|pron|pron"}, kClose})},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_TRUE(Matches(Speak(c.input), c.tokens));
  }
}

TEST(Markup, TagsOutsideSableAreText) {
  EXPECT_TRUE(Matches(Speak("[emph]"), Cat({kOpen, {"3|emph|emph"}, kClose})));
  EXPECT_TRUE(Matches(Speak("[emph]çok[/emph]", false), {"3|emph|emph", "3|çok|çok",
                                                         "3|emph|emph"}));
  EXPECT_TRUE(Matches(Speak("[sable][/sable][emph]", false), {"3|emph|emph"}));
}

TEST(Markup, SubstitutionsReplaceWhatIsSpoken) {
  const GoldenCase cases[] = {
      {"[sable][pron sub=\"doktor bey\"]Dr Ahmet[/sable]",
       {"3|doktor|doktor", "3|bey|bey", "3|ahmet|Ahmet"}},
      {"[sable][pron sub=\"ka\"]12 Dr", {"0|on", "0|iki", "3|ka|ka"}},  // waits for a word
      {"[sable][pron sub=\"dr 1\"]Dr", {"3|dr|Dr"}},  // unusable text: the word stays
      {"[sable][pron sub=\"   \"]Dr", {"3|dr|Dr"}},
      {"[sable][pron]Dr", {"3|dr|Dr"}},
      {"[sable][pronc sub=\"bir şey\"]uzun metin[/pronc] son[/sable]",
       {"3|bir|bir", "3|şey|şey", "3|son|son"}},
      // Numbers and symbols inside the element are dropped too.
      {"[sable][pronc sub=\"kısa\"]uzun 12, metin...[/pronc]son", {"3|kısa|kısa", "3|son|son"}},
      {"[sable][pronc]a[/pronc]", {"3|a|a"}},
      {"[sable][punct]a, b[/punct], c[/sable]", {"3|a|a", "3|b|b", "4|virgül|,", "3|c|c"}},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_TRUE(Matches(Speak(c.input), c.tokens));
  }
}

TEST(Markup, TagLongerThanLimitIsText) {
  for (std::size_t closeAt : {kMaxTagLength - 1, kMaxTagLength}) {
    SCOPED_TRACE(closeAt);
    // '[' at 0 and ']' at closeAt, blanks between.
    std::string tag = "[emph" + std::string(closeAt - 5, ' ') + "]";
    ASSERT_EQ(tag.size(), closeAt + 1);
    std::vector<std::string> got = Speak("[sable]" + tag + "a");
    if (closeAt < kMaxTagLength) {
      EXPECT_TRUE(Matches(got, {"rule 0 2", "3|a|a"}));
    } else {
      EXPECT_TRUE(Matches(got, Cat({kOpen, {"3|emph|emph"}, kClose, {"3|a|a"}})));
    }
  }
}

TEST(Markup, UnterminatedTagIsText) {
  EXPECT_TRUE(Matches(Speak("[sable][emph a"), Cat({kOpen, {"3|emph|emph", "3|a|a"}})));
  EXPECT_TRUE(Matches(Speak("[sable]["), kOpen));
}

TEST(Markup, StateCarriesOverToTheNextText) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  for (const char* text : {"[sable][rate speed=\"fast\"][pron sub=\"bey\"]", "Dr[/rate]",
                           "[punct]", "a, b", "[/sable][/punct]", "c,"}) {
    frontEnd->SetText(Utf8ToCp1254(text));
    frontEnd->Run();
  }
  // A punct element silences marks within its own text only: the user's
  // setting is never changed by what a text says.
  EXPECT_TRUE(Matches(Describe(sink),
                      Cat({{"rule 3 2", "3|bey|bey", "rule 3 3", "3|a|a", "4|virgül|,", "3|b|b"},
                           kOpen, {"4|bölü|/", "3|punct|punct"}, kClose, {"3|c|c", "4|virgül|,"}})));
  EXPECT_TRUE(frontEnd->ReadPunctuation());
  EXPECT_EQ(frontEnd->markup().Stack(3).Depth(), 1u);
}

TEST(Markup, AttributeValues) {
  struct Case {
    const char* body;
    const char* name;
    const char* value;
  };
  const Case cases[] = {
      {"emph level=\"strong\"", "level", "strong"},
      {"break level = \"small\" type=\",\"", "type", ","},
      {"emph xlevel=\"odd\"", "level", "odd"},  // any substring counts
      {"emph level=strong", "level", ""},
      {"emph level=\"strong", "level", ""},
      {"emph level", "level", ""},
      {"emph", "level", ""},
      {"", "level", ""},
      {"pron sub=\"\"", "sub", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(AttributeValue(c.body, c.name), c.value);
  }
}

TEST(Markup, DiagnosticsGoToTheTraceOnly) {
  const bool wasOn = TraceEnabled();
  SetTraceEnabled(true);
  ::testing::internal::CaptureStdout();
  std::vector<std::string> got = Speak(
      "[sable][emph level=\"strong\"][rate speed=\"warp\"][/rate][pron sub=\"a1\"]x 1. madde "
      "[foo][/break][engine id=\"x\"][pitch base=\"up\"][speaker age=\"x\"][audio] [emph");
  const std::string out = ::testing::internal::GetCapturedStdout();
  SetTraceEnabled(wasOn);
  EXPECT_FALSE(got.empty());
  for (const char* line :
       {"I recognize Sable\n", "I recognize ( emph level=\"strong\" )\n", "New emph rule: 1\n",
        "Non recognized speed value\n", "--* Non valid rule or not implemented...\n",
        "Non alphanumeric value or not space character\n", "Ranking number\n",
        "Non recognized tag\n", "NOn recognized tag\n", "Non recognized engine id value\n",
        "Non recognized pitch base value\n", "Non recognized age spec\n", "sonda bulamadi\n"}) {
    EXPECT_NE(out.find(line), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace lirvan::test
