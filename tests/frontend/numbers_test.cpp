// Number words: cardinals, ordinals, digit grouping, odd input.
#include "frontend/numbers.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/cp1254.h"
#include "platform/trace.h"

namespace lirvan {
namespace {

// The spoken words of a chain, as UTF-8 joined by blanks.
std::string Words(const Token& head) {
  std::string out;
  for (const Token* t = &head; t; t = t->next.get()) {
    if (!out.empty()) out += ' ';
    out += Cp1254ToUtf8(t->spoken);
  }
  return out;
}

std::unique_ptr<Token> Expanded(std::string_view text, TokenKind kind) {
  auto token = MakeToken(text);
  token->kind = kind;
  ExpandNumber(*token);
  return token;
}

struct Case {
  const char* input;
  const char* words;  // UTF-8
};

TEST(Numbers, CardinalsAreReadGroupByGroup) {
  const Case cases[] = {
      {"0", "sıfır"},
      {"10", "on"},
      {"11", "on bir"},
      {"40", "kırk"},
      {"66", "atmış altı"},
      {"100", "yüz"},
      {"101", "yüz bir"},
      {"215", "iki yüz on beş"},
      {"999", "dokuz yüz doksan dokuz"},
      {"1000", "bin"},
      {"1001", "bin bir"},
      {"2000", "iki bin"},
      {"2005", "iki bin beş"},
      {"2026", "iki bin yirmi altı"},
      {"11000", "on bir bin"},
      {"100000", "yüz bin"},
      {"101000", "yüz bir bin"},
      {"1000000", "bir milyon"},
      {"1000001", "bir milyon bir"},
      {"1001000", "bir milyon bin"},
      {"1000000000", "bir milyar"},
      {"1000000000000", "bir trilyon"},
      {"1000000000000000", "bir katrilyon"},
      {"1000000000000000000", "bir kentrilyon"},
      {"987654321", "dokuz yüz seksen yedi milyon altı yüz elli dört bin üç yüz yirmi bir"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Words(*Expanded(c.input, TokenKind::Cardinal)), c.words);
  }
}

TEST(Numbers, OrdinalsTakeTheirSuffixOnTheLastWord) {
  const Case cases[] = {
      {"0", "sıfırıncı"},
      {"1", "birinci"},
      {"2", "ikinci"},
      {"3", "üçüncü"},
      {"4", "dördüncü"},
      {"6", "altıncı"},
      {"9", "dokuzuncu"},
      {"21", "yirmi birinci"},
      {"1001", "bin birinci"},
      {"1004", "bin dördüncü"},
      // A tens word, "yüz" or a scale word takes the suffix by vowel harmony.
      {"10", "onuncu"},
      {"20", "yirminci"},
      {"30", "otuzuncu"},
      {"40", "kırkıncı"},
      {"50", "ellinci"},
      {"60", "atmışıncı"},
      {"70", "yetmişinci"},
      {"80", "sekseninci"},
      {"90", "doksanıncı"},
      {"100", "yüzüncü"},
      {"300", "üç yüzüncü"},
      {"1000", "bininci"},
      {"2000", "iki bininci"},
      {"1000000", "bir milyonuncu"},
      {"1000000000", "bir milyarıncı"},
      {"1000000000000", "bir trilyonuncu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Words(*Expanded(c.input, TokenKind::Ordinal)), c.words);
  }
}

TEST(Numbers, EveryWordIsItsOwnExpansionToken) {
  auto head = Expanded("2005", TokenKind::Cardinal);
  std::vector<std::pair<std::string, std::string>> got;  // spoken, source
  for (const Token* t = head.get(); t; t = t->next.get()) {
    EXPECT_EQ(t->kind, TokenKind::Expansion);
    got.emplace_back(t->spoken, t->source);
  }
  // A units word carries its digit as source text, except in the thousands.
  const std::vector<std::pair<std::string, std::string>> want = {
      {"iki", "iki"}, {"bin", "bin"}, {"be\xFE", "5"}};
  EXPECT_EQ(got, want);
  EXPECT_EQ(head->expansion, head.get());
}

TEST(Numbers, WordsThatFollowedTheTokenStayAfterItsWords) {
  auto token = MakeToken("12");
  token->kind = TokenKind::Cardinal;
  token->next = MakeToken("elma");
  ExpandNumber(*token);
  EXPECT_EQ(Words(*token), "on iki elma");
}

TEST(Numbers, OtherKindsAreLeftAlone) {
  for (TokenKind kind : {TokenKind::Word, TokenKind::Symbol, TokenKind::Expansion}) {
    auto token = MakeToken("12");
    token->kind = kind;
    ExpandNumber(*token);
    EXPECT_EQ(Words(*token), "12");
    EXPECT_EQ(token->kind, kind);
  }
}

TEST(Numbers, GroupingDotsAreDropped) {
  const Case cases[] = {
      {"1.250.000", "bir milyon iki yüz elli bin"},
      {"1.000", "bin"},
      {"12.500", "on iki bin beş yüz"},
      {"999.999.999", "dokuz yüz doksan dokuz milyon dokuz yüz doksan dokuz bin dokuz yüz doksan dokuz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Words(*Expanded(c.input, TokenKind::Cardinal)), c.words);
  }
  EXPECT_EQ(Words(*Expanded("1.000", TokenKind::Ordinal)), "bininci");
}

TEST(Numbers, GroupedNumberLengthFindsTurkishDigitGroups) {
  struct G {
    const char* text;
    std::size_t pos;
    std::size_t length;
  };
  const G cases[] = {
      {"1.250.000", 0, 9},
      {"fiyat 2.500 lira", 6, 5},
      {"999.000", 0, 7},
      {"1.000.", 0, 5},        // the dot after it may still mark an ordinal
      {"1.250.00", 0, 5},      // a short last group is not part of it
      {"3.14", 0, 0},
      {"1.5", 0, 0},
      {"10.", 0, 0},
      {"10. madde", 0, 0},
      {"1.2345", 0, 0},        // a digit after the group
      {"1234.567", 0, 0},      // four digits before the first dot
      {"0.500", 0, 0},         // starts with 0
      {"01.500", 1, 0},        // inside a longer run of digits
      {"12.05.2024", 0, 0},    // a date
      {"1.000", 5, 0},         // past the end
      {"", 0, 0},
      {"abc", 1, 0},
  };
  for (const G& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.pos));
    EXPECT_EQ(GroupedNumberLength(c.text, c.pos), c.length);
  }
}

TEST(Numbers, DecimalPiecesAreSeparateNumbers) {
  // '3.14' reaches the expander as 3 and 14, the dot in between.
  EXPECT_EQ(GroupedNumberLength("3.14", 0), 0u);
  EXPECT_EQ(Words(*Expanded("3", TokenKind::Cardinal)), "üç");
  EXPECT_EQ(Words(*Expanded("14", TokenKind::Cardinal)), "on dört");
}

TEST(Numbers, LeadingZerosFromOtherCallersStillSaySomething) {
  const Case cases[] = {
      {"007", "yedi"},
      {"0010", "on"},
      {"000", "sıfır"},
      {"000000", "sıfır"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Words(*Expanded(c.input, TokenKind::Cardinal)), c.words);
  }
  EXPECT_EQ(Words(*Expanded("000", TokenKind::Ordinal)), "sıfırıncı");
}

TEST(Numbers, PastTheLargestScaleWordDigitsAreSaidOneByOne) {
  // 21 digits still have a name for every group; 22 would leave the
  // highest without one, so 10^21 would be heard as "bir".
  EXPECT_EQ(Words(*Expanded("999000000000000000001", TokenKind::Cardinal)),
            "dokuz yüz doksan dokuz kentrilyon bir");
  std::string digits = "2" + std::string(20, '0') + "3";
  std::string words = "iki";
  for (int k = 0; k < 20; ++k) words += " sıfır";
  EXPECT_EQ(Words(*Expanded(digits, TokenKind::Cardinal)), words + " üç");
  EXPECT_EQ(Words(*Expanded(digits, TokenKind::Ordinal)), words + " üçüncü");
  EXPECT_EQ(Words(*Expanded("1000000000000000000000.000", TokenKind::Cardinal)).rfind("bir sıfır", 0),
            0u);
}

TEST(Numbers, AVeryLongNumberIsReadWholeWithoutTrouble) {
  std::string digits(3000, '9');
  auto head = Expanded(digits, TokenKind::Ordinal);
  std::size_t count = 0;
  const Token* last = nullptr;
  for (const Token* t = head.get(); t; t = t->next.get()) {
    ++count;
    EXPECT_FALSE(t->spoken.empty());
    last = t;
  }
  EXPECT_EQ(count, 3000u);
  EXPECT_EQ(Cp1254ToUtf8(last->spoken), "dokuzuncu");
  auto zero = Expanded(std::string(30, '1') + "0", TokenKind::Ordinal);
  while (zero->next) zero = zero->TakeNext();
  EXPECT_EQ(Cp1254ToUtf8(zero->spoken), "sıfırıncı");
}

TEST(Numbers, DigitWordsOutsideOneToNineAreEmptyAndTraced) {
  SetTraceEnabled(true);
  testing::internal::CaptureStdout();
  EXPECT_EQ(UnitsWord('0'), "");
  EXPECT_EQ(TensWord('x'), "");
  const std::string out = testing::internal::GetCapturedStdout();
  SetTraceEnabled(false);
  EXPECT_EQ(out, "unknown number...\nunknown number...\n");
  EXPECT_EQ(OrdinalSuffix('0'), "");
  EXPECT_EQ(OrdinalSuffix('a'), "");
  EXPECT_EQ(Cp1254ToUtf8(UnitsWord('3')), "üç");
  EXPECT_EQ(Cp1254ToUtf8(TensWord('6')), "atmış");
  EXPECT_EQ(Cp1254ToUtf8(OrdinalSuffix('6')), "ncı");
}

TEST(Numbers, StrayBytesNeverCrashTheExpander) {
  const char* inputs[] = {"", ".", "...", "12a", "\xFF\x80", "1.2.3.4"};
  for (const char* input : inputs) {
    SCOPED_TRACE(input);
    for (TokenKind kind : {TokenKind::Cardinal, TokenKind::Ordinal}) {
      auto token = Expanded(input, kind);
      EXPECT_NE(token, nullptr);
    }
  }
  // Only dots: nothing to read, the token stays as it was.
  EXPECT_EQ(Expanded("..", TokenKind::Cardinal)->kind, TokenKind::Cardinal);
}

}  // namespace
}  // namespace lirvan
