#include <gtest/gtest.h>

#include <random>
#include <string>

#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/expression_parser.h"
#include "calculator/evaluator/result_format.h"

namespace lirvan::eval {
namespace {

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

ParsingErrorData FirstError(ExpressionParser& parser, const std::string& expression) {
  try {
    parser.Evaluate(expression);
  } catch (const ParsingErrors& error) {
    return error.First();
  }
  ADD_FAILURE() << "no error";
  return {};
}

constexpr std::size_t kDeep = 10'000;
constexpr std::size_t kMegabyte = 1 << 20;

TEST(BadInput, DeepNestingNeedsNoRecursion) {
  ExpressionParser parser;
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat("(", kDeep) + "1" + Repeat(")", kDeep)), 1);
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat("abs(", kDeep) + "-1" + Repeat(")", kDeep)), 1);
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat("-", kDeep + 1) + "1"), -1);
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat("1+(", kDeep) + "1" + Repeat(")", kDeep)), kDeep + 1);

  const ParsingErrorData open = FirstError(parser, Repeat("(", kDeep) + "1");
  EXPECT_EQ(open.code, ParsingError::kMissingClosingBracket);
  EXPECT_EQ(open.position, kDeep - 1);
  const ParsingErrorData close = FirstError(parser, "1" + Repeat(")", kDeep));
  EXPECT_EQ(close.code, ParsingError::kMissingOpeningBracket);
  EXPECT_EQ(close.position, 1u);
}

TEST(BadInput, MegabyteExpressions) {
  ExpressionParser parser;
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat("1+", kMegabyte / 2) + "1"), kMegabyte / 2 + 1);
  EXPECT_EQ(parser.Evaluate(Repeat("9", kMegabyte)), std::numeric_limits<double>::infinity());
  EXPECT_EQ(parser.Evaluate("0," + Repeat("0", kMegabyte) + "1"), 0);
  EXPECT_DOUBLE_EQ(parser.Evaluate(Repeat(" ", kMegabyte) + "7"), 7);
  EXPECT_EQ(FirstError(parser, Repeat("x", kMegabyte)).code, ParsingError::kUndefinedVariable);
  EXPECT_EQ(FirstError(parser, Repeat("(", kMegabyte)).code,
            ParsingError::kMissingClosingBracket);
  EXPECT_EQ(FirstError(parser, "hex(" + Repeat("f", kMegabyte)).code,
            ParsingError::kMissingClosingBracket);
  EXPECT_EQ(FirstError(parser, "sum(" + Repeat("1;", kMegabyte / 2) + ")").code,
            ParsingError::kInvalidSeparator);
}

// Random texts over the characters the grammar cares about, then over any
// byte: each yields a value or a parsing error that points into the text.
TEST(BadInput, RandomTextsYieldAValueOrAnError) {
  const std::string alphabet = "0123456789,;[]()+-*/^%<>=!&| eEnNaxbhsif\t.";
  std::mt19937 random(20240501);
  ExpressionParser parser;
  for (int round = 0; round < 40'000; ++round) {
    std::string text(random() % 24, ' ');
    for (char& c : text) {
      c = round % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    SCOPED_TRACE(text);
    try {
      EXPECT_FALSE(FormatCalculatorResult(parser.Evaluate(text)).empty());
    } catch (const ParsingErrors& error) {
      EXPECT_LE(error.First().position, text.size());
      EXPECT_NE(error.First().code, ParsingError::kInternal) << error.what();
    }
  }
}

}  // namespace
}  // namespace lirvan::eval
