#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/expression_parser.h"

namespace lirvan::eval {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
  const char* expression;
  double expected;
};

void ExpectValues(ExpressionParser& parser, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    double value = kNaN;
    ASSERT_NO_THROW(value = parser.Evaluate(c.expression));
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(value)) << value;
    } else if (std::isinf(c.expected) || c.expected == 0) {
      EXPECT_EQ(value, c.expected);
    } else {
      EXPECT_NEAR(value, c.expected, std::abs(c.expected) * 1e-12);
    }
  }
}

TEST(Evaluate, CalculatorSyntaxResults) {
  ExpressionParser parser;
  ExpectValues(parser, {
      {"3,5+1", 4.5}, {"2^10", 1024}, {"10/4", 2.5}, {"min(3;2)", 2},
      {"hex(ff)", 255}, {"hex(FF)", 255}, {"hex(ff)+2", 257}, {"bin(100)", 4}, {"hex()", 0},
      {"isNaN(NaN)", 1}, {"isNaN(0)", 0}, {"rand()*0", 0},
      {"max(100,98;101)", 101}, {"avg(1;1-1+2;3;(2+2))", 2.5}, {"sum(1;2;3;2^2)", 10},
      {"fact(5)", 120}, {"fact(3,7)", 6}, {"fact(1)", 1}, {"fact(-3)", 0},
      {"if(1;2;3)", 2}, {"if(0;2;3)", 3}, {"abs(-3)", 3}, {"sqrt(16)", 4},
      {"ceil(1,2)", 2}, {"floor(-1,5)", -2}, {"cos(0)", 1}, {"log(100)", std::log(100.0)},
      {"7%3", 1}, {"1+2*3", 7}, {"(1+2)*3", 9}, {"2*-3", -6}, {"--2", 2},
  });
}

TEST(Evaluate, MendedResults) {
  ExpressionParser parser;
  ExpectValues(parser, {
      {"log10(100)", 2}, {"fact(0)", 1}, {"fact(20)", 2432902008176640000.0},
      {"fact(13)", 6227020800.0}, {"!0", 1}, {"!5", 0}, {"!-1", 0},
      {"fact(171)", kInf}, {"fact(1e300)", kInf}, {"fact(NaN)", kNaN},
  });
}

TEST(Evaluate, PrecedenceAndOrder) {
  ExpressionParser parser;
  ExpectValues(parser, {
      {"-2^2", 4}, {"2^-2", 0.25}, {"10-4-3", 3}, {"100/10/5", 2}, {"2^3^2", 64},
      {"8%5%2", 1}, {"!0+1", 2}, {"1<2==1", 1}, {"1+1>1", 1}, {"0|1&0", 0},
      {"2>1", 1}, {"2<1", 0}, {"2>=2", 1}, {"2<=1", 0}, {"2!=2", 0}, {"2==2", 1},
      {"1&2", 1}, {"1&0", 0}, {"0|0", 0}, {"0|3", 1},
  });
}

TEST(Evaluate, OverloadsByArgumentCount) {
  ExpressionParser parser;
  ExpectValues(parser, {
      {"min(5)", 5}, {"min(4;2;3)", 2}, {"min(4;2;3;1)", 1}, {"max(1;7;3)", 7},
      {"max(1;7;3;9;2)", 9}, {"sum()", 0}, {"avg()", kNaN}, {"min()", kNaN},
  });
}

TEST(Evaluate, LiteralsAndBlanks) {
  ExpressionParser parser;
  ExpectValues(parser, {
      {"", kNaN}, {"   ", kNaN}, {"NaN", kNaN}, {"1 000", 1000}, {"mi n(1;2)", 1},
      {"hex(f f)", 255}, {",5+5,", 5.5}, {"1e+06*2", 2e6}, {"2,5e-1", 0.25}, {"3E2", 300},
      {"1e999", kInf}, {"1e-999", 0}, {"1/0", kInf}, {"-1/0", -kInf},
  });
}

TEST(Evaluate, RandStaysInItsRange) {
  ExpressionParser parser;
  for (int i = 0; i < 200; ++i) {
    const double unit = parser.Evaluate("rand()");
    EXPECT_GE(unit, 0);
    EXPECT_LE(unit, 1);
    const double ranged = parser.Evaluate("rand(5;6)");
    EXPECT_GE(ranged, 5);
    EXPECT_LE(ranged, 6);
  }
}

TEST(Evaluate, DefaultSyntaxUsesPointAndComma) {
  ExpressionParser parser(kDefaultSyntax);
  ExpectValues(parser, {{"min(1.5,2)", 1.5}, {"3.5+1", 4.5}, {"avg(1,2,3)", 2}});
  EXPECT_THROW(parser.Evaluate("min(1;2)"), ParsingErrors);
}

TEST(Evaluate, SyntaxCanBeChanged) {
  ExpressionParser parser;
  parser.SetSyntax(kDefaultSyntax);
  EXPECT_DOUBLE_EQ(parser.Evaluate("1.5*2"), 3);
  parser.SetSyntax({',', ';', '{', '}'});
  parser.Definitions().DefineVariable("a+b", 4);
  EXPECT_DOUBLE_EQ(parser.Evaluate("{a + b}+1"), 5);
  EXPECT_THROW(parser.Evaluate("[a+b]"), ParsingErrors);
}

TEST(Evaluate, UserDefinitions) {
  ExpressionParser parser;
  Registrar& r = parser.Definitions();
  r.DefineVariable("x", 2);
  r.DefineVariable("x+1", 10);
  r.DefineConstant("pi", 3.5);
  r.DefineFunction({"twice", "twice(x)", "Doubles", 1, true,
                    [](Arguments a) { return 2 * a[0]; }});
  r.DefineFunction({"count", "count(...)", "Counts", kAnyArgumentCount, true,
                    [](Arguments a) { return static_cast<double>(a.size()); }});
  r.DefineOperator({"#", "x # y", "Hypotenuse", 2, false,
                    [](Arguments a) { return std::hypot(a[0], a[1]); }});
  r.DefineOperator({"~", "~x", "Low unary", 0, true, [](Arguments a) { return -a[0]; }});
  ExpectValues(parser, {
      {"x*3", 6}, {"[x]*3", 6}, {"[x+1]*2", 20}, {"pi", 3.5}, {"twice(x)+1", 5},
      {"count(1;2;3)", 3}, {"count()", 0}, {"3#4", 5}, {"1+3#4*2", 11}, {"~2+3", -5},
  });
}

TEST(Evaluate, CompiledExpressionReadsVariablesWhenEvaluated) {
  ExpressionParser parser;
  parser.Definitions().DefineVariable("v", 1);
  const CompiledExpression compiled = parser.Compile("v*10");
  EXPECT_DOUBLE_EQ(compiled.Evaluate(), 10);
  parser.Definitions().SetVariable("v", 4);
  EXPECT_DOUBLE_EQ(compiled.Evaluate(), 40);
  parser.Definitions().UndefineVariable("v");
  EXPECT_DOUBLE_EQ(compiled.Evaluate(), 40);  // keeps the last value
  EXPECT_THROW(parser.Evaluate("v"), ParsingErrors);
}

TEST(Evaluate, BuiltinTables) {
  ExpressionParser parser;
  const Registrar& r = parser.Definitions();
  EXPECT_EQ(r.Operators().size(), 16u);
  EXPECT_EQ(r.Functions().size(), 28u);
  EXPECT_EQ(r.Conversions().size(), 2u);
  for (const auto& f : r.Functions()) {
    SCOPED_TRACE(f->symbol);
    EXPECT_EQ(f->constant, f->symbol != "rand");
    EXPECT_FALSE(f->help.empty());
    EXPECT_FALSE(f->description.empty());
  }
  auto minus = r.FindOperator("-", true);
  ASSERT_TRUE(minus);
  EXPECT_EQ((*minus)->help, "-x");
  EXPECT_EQ((*minus)->precedence, 4);
  auto avg = r.FindFunction("avg", 7);
  ASSERT_TRUE(avg);
  EXPECT_EQ(HelpInSyntax((*avg)->help, parser.GetSyntax()), "avg(v1;v2;v3;...)");
  EXPECT_EQ((*r.FindFunction("min", 3))->help, "min(x,y,z)");
}

TEST(Evaluate, SyntaxFromLocaleKeepsSeparatorApartFromPoint) {
  const Syntax syntax = SyntaxFromUserLocale();
  EXPECT_EQ(syntax.argumentSeparator, syntax.decimalPoint == ',' ? ';' : ',');
  EXPECT_EQ(syntax.variableBegin, '[');
}

}  // namespace
}  // namespace lirvan::eval
