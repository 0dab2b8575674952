// Arbitrary bytes, markup-heavy or not, never crash or hang the front end
// and always come out as well-formed tokens. Bounded and seeded, so every
// run checks the same inputs.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

// Pieces that make the scanner take its interesting branches.
const char* const kFragments[] = {
    "[sable]", "[/sable]", "[emph level=\"strong\"]", "[/emph]", "[break type=\",\"]",
    "[pron sub=\"", "[pronc sub=\"bir \xFE" "ey\"]", "[/pronc]", "[punct]", "[/punct]",
    "[rate speed=\"slow\"]", "[/rate]", "[pitch base=\"high\"]", "[speaker age=\"x\"]",
    "[engine id=\"", "[lang", "[/break]", "[/pron]", "1.250.000", "21. ", "3.14", "007",
    "...", "?.", "\"", "=", "/", " ", "\t", "\n", "\xDD", "I", "\xE9",
    // the reading steps: dates, times, signs, suffixes, numerals, addresses
    "08.12.2026", "2026-12-08", "14:30", "saat 9.15", "'da", "\x92nin", "%25", "-5", "3,5",
    "1,2,3", "\x80", "\xB0" "C", "\xBD", "XIV.", "I. ", "T.C.", "www.", ".com", "@", "https://",
    "a.b.tr", "\xA0", "\xAD", "\xF1", " sn", "1990'l\xFD",
};

std::string RandomText(std::mt19937& random, std::size_t maxLength) {
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<int> choice(0, 9);
  std::uniform_int_distribution<std::size_t> fragment(0, std::size(kFragments) - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  const std::size_t n = length(random);
  while (text.size() < n) {
    switch (choice(random)) {
      case 0:
      case 1:
      case 2:
        text += kFragments[fragment(random)];
        break;
      case 3:
        text += '[';
        break;
      case 4:
        text += ']';
        break;
      default:
        text += static_cast<char>(byte(random));
        break;
    }
  }
  return text;
}

void ExpectWellFormed(const CollectingSink& sink) {
  for (const auto& token : sink.tokens) {
    ASSERT_TRUE(token);
    EXPECT_EQ(token->next, nullptr);
    ASSERT_TRUE(token->units);
    if (token->kind == TokenKind::Rule) {
      EXPECT_TRUE(token->rule && token->rule->valid);
    } else {
      EXPECT_FALSE(token->rule);
    }
  }
}

TEST(FrontEndRandom, ArbitraryBytesNeverBreakTheFrontEnd) {
  std::mt19937 random(20260101);
  CollectingSink sink;
  TextFrontEnd frontEnd(sink, EmptyIndex());
  for (int round = 0; round < 1500; ++round) {
    std::string text = RandomText(random, 300);
    if (round % 2 == 0) text = "[sable]" + text;
    frontEnd.SetText(text);
    frontEnd.Run();
    ASSERT_FALSE(frontEnd.Busy());
    ExpectWellFormed(sink);
    if (HasFatalFailure() || HasNonfatalFailure()) {
      ADD_FAILURE() << "input: " << ::testing::PrintToString(text);
      return;
    }
    sink.tokens.clear();
  }
}

TEST(FrontEndRandom, HugeAndDegenerateTexts) {
  const std::string inputs[] = {
      std::string(20000, '['),
      "[sable]" + std::string(20000, '['),
      "[sable][" + std::string(100000, 'a') + "]",
      "[sable][" + std::string(100000, 'a'),
      std::string(20000, '.'),
      std::string(5000, '9'),
      [] {
        std::string deep = "[sable]";
        for (int i = 0; i < 20000; ++i) deep += "[emph level=\"strong\"]";
        return deep;
      }(),
      [] {
        std::string many;
        for (int i = 0; i < 5000; ++i) many += "[sable][pronc sub=\"a b\"]x[/pronc][/sable]";
        return many;
      }(),
  };
  for (const std::string& text : inputs) {
    SCOPED_TRACE(text.substr(0, 40));
    CollectingSink sink;
    TextFrontEnd frontEnd(sink, EmptyIndex());
    frontEnd.SetText(text);
    frontEnd.Run();
    EXPECT_FALSE(frontEnd.Busy());
    ExpectWellFormed(sink);
  }
}

}  // namespace
}  // namespace lirvan::test
