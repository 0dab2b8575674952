#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/expression_parser.h"

namespace lirvan::eval {
namespace {

using enum ParsingError;

struct ErrorCase {
  const char* expression;
  ParsingError code;
  std::size_t position;  // 0-based, in the text as written
  const char* item = "";
  int argumentCount = 0;
};

TEST(ParsingErrors, CodesPositionsAndItems) {
  const std::vector<ErrorCase> cases = {
      {"1=2", kInvalidOperatorSyntax, 1, "="},
      {"1.5", kInvalidOperatorSyntax, 1, "."},
      {"2+[x", kUnexpectedVariableBegin, 2},
      {"[a[b]", kUnexpectedVariableBegin, 2},
      {"2]", kUnexpectedVariableEnd, 1},
      {"*2", kUnexpectedOperator, 0},
      {"2+", kUnexpectedOperator, 1},
      {"2+*3", kUnexpectedOperator, 2},
      {"2!3", kUnexpectedOperator, 1},
      {"sin(2+)", kUnexpectedOperator, 5},
      {"2)", kMissingOpeningBracket, 1},
      {"(1+2))", kMissingOpeningBracket, 5},
      {"1;2", kSeparatorOutsideFunction, 1},
      {"(1;2)", kSeparatorOutsideFunction, 2},
      {"min((1;2))", kSeparatorOutsideFunction, 6},
      {"(1+2", kMissingClosingBracket, 0},
      {"sin(1", kMissingClosingBracket, 3},
      {"hex(ff", kMissingClosingBracket, 3},
      {"min(1;(2", kMissingClosingBracket, 6},
      {"sin(1;2)", kNoOverload, 0, "sin", 2},
      {"sin()", kNoOverload, 0, "sin", 0},
      {"1+rand(1)", kNoOverload, 2, "rand", 1},
      {"if(1;2)", kNoOverload, 0, "if", 2},
      {"fact(3;7)", kNoOverload, 0, "fact", 2},
      {"()", kInvalidSyntax, 1},
      {"1+\t2", kInvalidSyntax, 2},
      {",", kInvalidSyntax, 0},
      {"[]", kInvalidSyntax, 0},
      {"2(3)", kMissingOperator, 1, "("},
      {"(1)2", kMissingOperator, 3, "2"},
      {"2x", kMissingOperator, 1, "x"},
      {"2sin(1)", kMissingOperator, 1, "sin"},
      {"foo(1)", kUndefinedFunction, 0, "foo"},
      {"NaN(1)", kUndefinedFunction, 0, "NaN"},
      {"ali+1", kUndefinedVariable, 0, "ali"},
      {"abc", kUndefinedVariable, 0, "abc"},
      {"NaN NaN", kUndefinedVariable, 0, "NaNNaN"},
      {"1+[my var]", kUndefinedVariable, 2, "myvar"},
      {"avg(2;;2)", kInvalidSeparator, 6},
      {"avg(;2)", kInvalidSeparator, 4},
      {"avg(2;)", kInvalidSeparator, 5},
      {"hex(fz)", kConversionFailed, 0, "hex"},
      {"1+hex(12)*bin(102)", kConversionFailed, 10, "bin"},
      // Positions count the blanks the user typed.
      {"1 +  foo(2)", kUndefinedFunction, 5, "foo"},
      {"  2 +", kUnexpectedOperator, 4},
      {"2 + ", kUnexpectedOperator, 2},
  };
  ExpressionParser parser;
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.expression);
    try {
      const double value = parser.Evaluate(c.expression);
      ADD_FAILURE() << "evaluated to " << value;
    } catch (const ParsingErrors& error) {
      ASSERT_EQ(error.Records().size(), 1u);
      const ParsingErrorData& record = error.First();
      EXPECT_EQ(record.code, c.code) << error.what();
      EXPECT_EQ(record.position, c.position) << error.what();
      EXPECT_EQ(record.item, c.item);
      EXPECT_EQ(record.argumentCount, c.argumentCount);
      EXPECT_EQ(error.what(), record.Message());
    }
  }
}

TEST(ParsingErrors, MessagesCountFromOne) {
  struct MessageCase {
    ParsingErrorData record;
    const char* message;
  };
  const std::vector<MessageCase> cases = {
      {{kInvalidOperatorSyntax, 0, "=", 0}, "Invalid operator syntax: =, at position 1"},
      {{kUnexpectedVariableBegin, 1, "", 0},
       "Unexpected begin variable name character at position: 2"},
      {{kUnexpectedVariableEnd, 2, "", 0}, "Unexpected end variable name character at position: 3"},
      {{kUnexpectedOperator, 3, "", 0}, "Unexpected operator near position: 4"},
      {{kMissingOpeningBracket, 4, "", 0},
       "Missing opening bracket to macth closing bracket at position: 5"},
      {{kSeparatorOutsideFunction, 5, "", 0},
       "Invalid use of an argument separator outside a function at position: 6"},
      {{kMissingClosingBracket, 6, "", 0},
       "Missing closing bracket to match opening bracket at position: 7"},
      {{kNoOverload, 0, "sin", 2},
       "Function :sin, position: 1.  No overloaded function takes 2 arguments"},
      {{kInvalidSyntax, 8, "", 0}, "Invalid syntax near position 9"},
      {{kMissingOperator, 9, "x", 0}, "Missing operator before : x, at position: 10"},
      {{kUndefinedFunction, 0, "foo", 0}, "Undefined function: foo, at position: 1"},
      {{kUndefinedVariable, 0, "ali", 0}, "Undefined variable: ali, at position: 1"},
      {{kInvalidSeparator, 6, "", 0}, "Invalid use of an argument separator at position: 7"},
      {{kConversionFailed, 0, "hex", 0},
       "The argument passed to the conversion function cannot be correctly converted.  "
       "Function: hex, at position: 1"},
      {{kInternal, 13, "", 0}, "Internal error at position: 14"},
      {{static_cast<ParsingError>(15), 0, "", 0}, "Unknown error"},
      {{static_cast<ParsingError>(-1), 0, "", 0}, "Unknown error"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.record.code));
    EXPECT_EQ(c.record.Message(), c.message);
  }
}

TEST(ParsingErrors, EveryFailureIsAnEvalException) {
  ExpressionParser parser;
  EXPECT_THROW(parser.Evaluate("2+"), EvalException);
  EXPECT_THROW(parser.Evaluate("abc"), EvalException);
}

}  // namespace
}  // namespace lirvan::eval
