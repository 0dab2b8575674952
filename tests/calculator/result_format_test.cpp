#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calculator/evaluator/expression_parser.h"
#include "calculator/evaluator/result_format.h"

namespace lirvan::eval {
namespace {

TEST(ResultFormat, SixSignificantDigitsWithDecimalComma) {
  struct Case {
    double value;
    const char* text;
  };
  const std::vector<Case> cases = {
      {4.5, "4,5"}, {1024, "1024"}, {2.5, "2,5"}, {-2, "-2"}, {0, "0"},
      {1e6, "1e+06"}, {999999, "999999"}, {123456.7, "123457"}, {0.0001, "0,0001"},
      {0.00001, "1e-05"}, {std::log(100.0), "4,60517"}, {2432902008176640000.0, "2,4329e+18"},
      {1.0 / 3, "0,333333"}, {-1.5e-10, "-1,5e-10"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatCalculatorResult(c.value), c.text);
  }
}

// What the window shows after Enter, and that it can be evaluated again.
TEST(ResultFormat, CalculatorResultsReadBack) {
  struct Case {
    const char* expression;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {"3,5+1", "4,5"}, {"2^10", "1024"}, {"10/4", "2,5"}, {"min(3;2)", "2"},
      {"1000*1000", "1e+06"}, {"1/8", "0,125"}, {"-2^2", "4"}, {"0-7/2", "-3,5"},
  };
  ExpressionParser parser;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    const std::string shown = FormatCalculatorResult(parser.Evaluate(c.expression));
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(FormatCalculatorResult(parser.Evaluate(shown + "*1")), shown);
  }
  EXPECT_EQ(FormatCalculatorResult(parser.Evaluate("")), "nan");
}

// What is heard: the shown form where it reads well, Turkish words where the
// shown form would be read letter by letter ("inf" as "in f").
TEST(ResultFormat, SpokenResultsAreTurkish) {
  struct Case {
    double value;
    const char* spoken;
  };
  const std::vector<Case> cases = {
      {4.5, "4,5"},
      {-2, "eksi 2"},
      {-0.0, "0"},
      {1024, "1024"},
      {std::numeric_limits<double>::quiet_NaN(), "tanımsız"},
      {-std::numeric_limits<double>::quiet_NaN(), "tanımsız"},
      {std::numeric_limits<double>::infinity(), "sonsuz"},
      {-std::numeric_limits<double>::infinity(), "eksi sonsuz"},
      {1e6, "1000000"},
      {-2.5e7, "eksi 25000000"},
      {1.23457e14, "123457000000000"},
      {1e15, "1 çarpı 10 üzeri 15"},
      {2432902008176640000.0, "2,4329 çarpı 10 üzeri 18"},
      {0.00001, "1 çarpı 10 üzeri eksi 5"},
      {-1.5e-10, "eksi 1,5 çarpı 10 üzeri eksi 10"},
      {1.5e300, "1,5 çarpı 10 üzeri 300"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spoken);
    EXPECT_EQ(SpokenCalculatorResult(c.value), c.spoken);
  }
}

}  // namespace
}  // namespace lirvan::eval
