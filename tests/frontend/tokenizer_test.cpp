// Text in, token stream out: cutting, lower-casing, number and symbol
// expansion as the tokenizer drives them.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

const GoldenCase kTokenizerCases[] = {
    {"ABI ile İzmir", {"3|abı|ABI", "3|ile|ile", "3|izmir|İzmir"}},
    // The suffix joins the word: the apostrophe is never spoken inside a word.
    {"İSTANBUL'a", {"3|istanbula|İSTANBUL'a"}},
    // A dot followed by a lower-case letter marks an ordinal; blanks between
    // do not matter.
    {"1. madde", {"0|birinci", "3|madde|madde"}},
    {"5.   bölüm", {"0|beşinci", "3|bölüm|bölüm"}},
    {"1. Madde", {"0|bir", "4|nokta|.", "3|madde|Madde"}},
    {"1.ay", {"0|birinci", "3|ay|ay"}},
    {"5. zaman", {"0|beşinci", "3|zaman|zaman"}},
    {"5. çocuk", {"0|beşinci", "3|çocuk|çocuk"}},
    {"5.", {"0|beş", "4|nokta|."}},
    {"21. yüzyıl", {"0|yirmi", "0|birinci", "3|yüzyıl|yüzyıl"}},
    {"3.14", {"0|üç", "4|nokta|.", "0|on", "0|dört"}},
    {"007", {"0|sıfır", "0|sıfır", "0|yedi"}},
    {"0. madde", {"0|sıfır", "4|nokta|.", "3|madde|madde"}},
    // Turkish digit grouping: one number, its dots unspoken.
    {"1.250.000 kişi",
     {"0|bir", "0|milyon", "0|iki", "0|yüz", "0|elli", "0|bin", "3|kişi|kişi"}},
    {"2.500. sırada", {"0|iki", "0|bin", "0|beş", "0|yüzüncü", "3|sırada|sırada"}},
    {"1.2345", {"0|bir", "4|nokta|.", "0|iki", "0|bin", "0|üç", "0|yüz", "0|kırk", "0|beş"}},
    {"Ne?!", {"3|ne|Ne", "4|soru|?", "0|işareti", "4|ünlem|!"}},
    {"...", {"4|üç|...", "0|nokta"}},
    {"..", {"4|..|.."}},
    {"?.", {"4|?.|?."}},
    {"(x)", {"4|parantez|(", "0|aç", "3|x|x", "4|parantez|)", "0|kapat"}},
    {"a, b", {"3|a|a", "4|virgül|,", "3|b|b"}},
    {"a\tb\nc", {"3|a|a", "4|\t|\t", "3|b|b", "4|\n|\n", "3|c|c"}},
    {"café", {"3|cafe|café"}},
    {"", {}},
    {"   ", {}},
};

TEST(Tokenizer, GoldenTokenStreams) {
  for (const GoldenCase& c : kTokenizerCases) {
    SCOPED_TRACE(c.input);
    EXPECT_TRUE(Matches(Speak(c.input), c.tokens));
  }
}

TEST(Tokenizer, PunctuationOffDropsSymbolsOnly) {
  EXPECT_TRUE(Matches(Speak("a, b", false), {"3|a|a", "3|b|b"}));
  EXPECT_TRUE(Matches(Speak("3.14!", false), {"0|üç", "0|on", "0|dört"}));
  EXPECT_TRUE(Matches(Speak("a\tb", false), {"3|a|a", "3|b|b"}));
}

TEST(Tokenizer, EmptyTextLeavesBusyOff) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  frontEnd->SetText("");
  frontEnd->Run();
  EXPECT_TRUE(sink.tokens.empty());
  EXPECT_FALSE(frontEnd->Busy());
}

// Records whether the front end said it was busy while handing on tokens.
class BusyWatchingSink : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token>) override {
    sawIdle = sawIdle || !frontEnd->Busy();
    ++puts;
    return true;
  }
  const TextFrontEnd* frontEnd = nullptr;
  bool sawIdle = false;
  int puts = 0;
};

TEST(Tokenizer, BusyExactlyWhileRunning) {
  BusyWatchingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  sink.frontEnd = frontEnd.get();
  frontEnd->SetText("bir iki, 3");
  EXPECT_FALSE(frontEnd->Busy());
  frontEnd->Run();
  EXPECT_EQ(sink.puts, 4);
  EXPECT_FALSE(sink.sawIdle);
  EXPECT_FALSE(frontEnd->Busy());
}

TEST(Tokenizer, RefusingSinkStopsProductionAtOnce) {
  struct Case {
    const char* text;
    std::size_t refuseFrom;
  };
  const Case cases[] = {
      {"bir iki üç dört", 2},
      {"1.250.000 kişi geldi", 3},  // in the middle of a number's chain
      {"a ... b", 3},               // in the middle of a symbol's name
      {"[sable][pron sub=\"doktor bey\"]Dr gelsin", 1},
      {"[sable][pronc sub=\"bir iki\"]x[/pronc] son", 2},
      {"[sable][emph]a[/emph] b", 1},  // the rule token itself
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CollectingSink sink(c.refuseFrom);
    auto frontEnd = BareFrontEnd(sink);
    frontEnd->SetText(Utf8ToCp1254(c.text));
    frontEnd->Run();
    EXPECT_EQ(sink.puts, c.refuseFrom);
    EXPECT_EQ(sink.tokens.size(), c.refuseFrom - 1);
    EXPECT_FALSE(frontEnd->Busy());
  }
}

TEST(Tokenizer, EveryTokenButRulesGetsUnits) {
  UnitIndex index;
  index.Store("ne", 0, 10);
  index.Store("a", 10, 10);
  index.Store(Utf8ToCp1254("rı"), 20, 10);
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink, index);
  frontEnd->SetText(Utf8ToCp1254("[sable][emph]Ne arı[/sable]"));
  frontEnd->Run();
  ASSERT_EQ(sink.tokens.size(), 3u);
  const Token& rule = *sink.tokens[0];
  EXPECT_EQ(rule.kind, TokenKind::Rule);
  EXPECT_EQ(rule.spoken, " ");
  EXPECT_EQ(rule.unitCount, 0);
  ASSERT_TRUE(rule.units);
  EXPECT_TRUE(rule.units->name.empty());
  EXPECT_EQ(rule.units->next, nullptr);

  EXPECT_EQ(sink.tokens[1]->units->name, "ne");
  const Token& ari = *sink.tokens[2];
  EXPECT_EQ(ari.spoken, Utf8ToCp1254("a-rı"));
  EXPECT_EQ(ari.unitCount, 2);
  ASSERT_TRUE(ari.units && ari.units->next);
  EXPECT_EQ(ari.units->name, "a");
  EXPECT_EQ(ari.units->next->name, Utf8ToCp1254("rı"));
}

// Number words first, then the lexicon (exceptions over abbreviations, the
// head of a chain only), then symbol names on what the lexicon left.
TEST(Tokenizer, ExpansionOrder) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("lirvan-order-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "veriler");
  std::ofstream(dir / "veriler" / "kisaltmalar.txt") << "dr doktor\nyirmi yirmii\nbir birr\n. !\n";
  std::ofstream(dir / "veriler" / "istisnalar.txt") << "dr hekim\n";
  CollectingSink sink;
  auto frontEnd = FrontEndIn(dir, sink, EmptyIndex());
  std::filesystem::remove_all(dir);
  frontEnd->SetText("Dr 21.");
  frontEnd->Run();
  EXPECT_TRUE(Matches(Describe(sink), {"3|hekim|Dr", "0|yirmii", "0|bir", "4|ünlem|."}));
}

TEST(Tokenizer, HandedOnTokensCarryNoLinks) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  frontEnd->SetText("215 (x)");
  frontEnd->Run();
  ASSERT_FALSE(sink.tokens.empty());
  for (const auto& token : sink.tokens) {
    SCOPED_TRACE(Describe(*token));
    EXPECT_EQ(token->next, nullptr);
    EXPECT_EQ(token->previous, nullptr);
    EXPECT_EQ(token->expansion, nullptr);
  }
}

}  // namespace
}  // namespace lirvan::test
