#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "calculator/evaluator/conversions.h"
#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/expression_parser.h"

namespace lirvan::eval {
namespace {

using enum DefinitionError;

Routine Identity() {
  return [](Arguments a) { return a.empty() ? 0.0 : a[0]; };
}

OperatorDefinition Operator(std::string symbol, bool unary = false, int precedence = 1) {
  return {std::move(symbol), "", "", precedence, unary, Identity()};
}

FunctionDefinition Function(std::string symbol, int arguments = 1) {
  return {std::move(symbol), "", "", arguments, true, Identity()};
}

struct DefinitionCase {
  const char* what;
  std::function<void(ExpressionParser&)> define;
  std::vector<DefinitionError> codes;
  std::string firstMessage;
};

TEST(DefinitionErrors, EachRuleIsEnforced) {
  const std::vector<DefinitionCase> cases = {
      {"separator is point", [](auto& p) { p.SetSyntax({',', ',', '[', ']'}); },
       {kSeparatorIsDecimalPoint},
       "The argument separator character and the decinal point character are the same"},
      {"separator is delimiter", [](auto& p) { p.SetSyntax({',', '[', '[', ']'}); },
       {kSeparatorIsDelimiter},
       "The argument separator character and one of the variable name delimiter characters "
       "are the same"},
      {"point is delimiter", [](auto& p) { p.SetSyntax({']', ';', '[', ']'}); },
       {kDecimalPointIsDelimiter},
       "The decimal point character and one of the variable name delimiter characters are the "
       "same"},
      {"all three", [](auto& p) { p.SetSyntax({'[', '[', '[', ']'}); },
       {kSeparatorIsDecimalPoint, kSeparatorIsDelimiter, kDecimalPointIsDelimiter}, ""},
      {"syntax hides a constant",
       [](auto& p) {
         p.Definitions().DefineConstant("pi", 3);
         p.SetSyntax({'p', ';', '[', ']'});
       },
       {kConstantSyntaxConflict},
       "Constant name 'pi' conflicts with the syntax element character: 'p'."},
      {"syntax hides overloaded functions",
       [](auto& p) { p.SetSyntax({'m', ';', '[', ']'}); },
       {kFunctionSyntaxConflict, kFunctionSyntaxConflict, kFunctionSyntaxConflict},  // min max sum
       "Function name 'min' conflicts with the syntax element character: 'm'."},
      {"operator twice", [](auto& p) { p.Definitions().DefineOperator(Operator("+")); },
       {kOperatorDefined}, "Operator already defined: +"},
      {"operator empty", [](auto& p) { p.Definitions().DefineOperator(Operator("")); },
       {kOperatorNameEmpty}, "Operator name cannot be null"},
      {"operator with separator", [](auto& p) { p.Definitions().DefineOperator(Operator("<;")); },
       {kOperatorSyntaxConflict},
       "Operator name '<;' conflicts with the syntax element character: ';'."},
      {"operator with bracket", [](auto& p) { p.Definitions().DefineOperator(Operator("(")); },
       {kOperatorSyntaxConflict}, ""},
      {"precedence", [](auto& p) { p.Definitions().DefineOperator(Operator("#", false, -1)); },
       {kOperatorPrecedence}, "Operator: #; invalid precedence."},
      {"operator inside a function name",
       [](auto& p) { p.Definitions().DefineOperator(Operator("qrt")); },
       {kFunctionOperatorConflict},
       "Function name 'sqrt' conflicts with the operator 'qrt'."},
      {"function twice", [](auto& p) { p.Definitions().DefineFunction(Function("sin")); },
       {kFunctionDefined}, "Function already defined: sin"},
      {"function over a conversion",
       [](auto& p) { p.Definitions().DefineFunction(Function("hex", 2)); }, {kFunctionDefined},
       "Function already defined: hex"},
      {"conversion over a function",
       [](auto& p) { p.Definitions().DefineConversion({"min", "", "", ConvertHex}); },
       {kFunctionDefined}, ""},
      {"function empty", [](auto& p) { p.Definitions().DefineFunction(Function("")); },
       {kFunctionNameEmpty}, "Function name cannot be null"},
      {"function with delimiter", [](auto& p) { p.Definitions().DefineFunction(Function("f[")); },
       {kFunctionSyntaxConflict},
       "Function name 'f[' conflicts with the syntax element character: '['."},
      {"function with operator", [](auto& p) { p.Definitions().DefineFunction(Function("a+b")); },
       {kFunctionOperatorConflict}, "Function name 'a+b' conflicts with the operator '+'."},
      {"variable twice",
       [](auto& p) {
         p.Definitions().DefineVariable("x", 1);
         p.Definitions().DefineVariable("x", 2);
       },
       {kVariableDefined}, "Variable already defined: x"},
      {"variable empty", [](auto& p) { p.Definitions().DefineVariable("", 1); },
       {kVariableNameEmpty}, "Variable name cannot be null"},
      {"variable numeric", [](auto& p) { p.Definitions().DefineVariable("1,5", 1); },
       {kVariableNameNumeric}, "Invalid variable name: 1,5. Cannot be composed only of numbers"},
      {"variable named as constant", [](auto& p) { p.Definitions().DefineVariable("NaN", 1); },
       {kVariableConstantConflict},
       "Variable name 'NaN' conflicts with the constant of the same name."},
      {"variable with delimiter", [](auto& p) { p.Definitions().DefineVariable("a]", 1); },
       {kVariableDelimiterConflict},
       "Variable name 'a]' contains the variable delimiter character: ']'."},
      {"set unknown variable", [](auto& p) { p.Definitions().SetVariable("nope", 1); },
       {kVariableNotFound}, "Variable not found: nope"},
      {"remove unknown variable", [](auto& p) { p.Definitions().UndefineVariable("nope"); },
       {kVariableNotFound}, ""},
      {"read unknown variable", [](auto& p) { p.Definitions().VariableValue("nope"); },
       {kVariableNotFound}, ""},
      {"constant twice", [](auto& p) { p.Definitions().DefineConstant("NaN", 1); },
       {kConstantDefined}, "Constant already defined: NaN"},
      {"constant empty", [](auto& p) { p.Definitions().DefineConstant("", 1); },
       {kConstantNameEmpty}, "Constant name cannot be null"},
      {"constant numeric", [](auto& p) { p.Definitions().DefineConstant("42", 1); },
       {kConstantNameNumeric}, "Invalid constant name: 42. Cannot be composed only of numbers"},
      {"constant with separator", [](auto& p) { p.Definitions().DefineConstant("a;b", 1); },
       {kConstantSyntaxConflict}, ""},
      {"constant with operator", [](auto& p) { p.Definitions().DefineConstant("a-b", 1); },
       {kConstantOperatorConflict}, "Constant name 'a-b' conflicts with the operator '-'."},
      {"constant named as variable",
       [](auto& p) {
         p.Definitions().DefineVariable("y", 1);
         p.Definitions().DefineConstant("y", 2);
       },
       {kConstantVariableConflict},
       "Constant name 'y' conflicts with the variable of the same name."},
      {"no routine", [](auto& p) { p.Definitions().DefineFunction({"g", "", "", 1, true, {}}); },
       {static_cast<DefinitionError>(-1)}, "Unknow error"},
  };
  for (const DefinitionCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpressionParser parser;
    try {
      c.define(parser);
      ADD_FAILURE() << "accepted";
    } catch (const DefinitionErrors& error) {
      std::vector<DefinitionError> codes;
      for (const auto& record : error.Records()) codes.push_back(record.code);
      EXPECT_EQ(codes, c.codes) << error.what();
      if (!c.firstMessage.empty()) {
        EXPECT_EQ(error.First().Message(), c.firstMessage);
      }
    }
  }
}

TEST(DefinitionErrors, RefusedChangesLeaveTheTableAsItWas) {
  ExpressionParser parser;
  EXPECT_THROW(parser.SetSyntax({',', ',', '[', ']'}), DefinitionErrors);
  EXPECT_EQ(parser.GetSyntax(), kCalculatorSyntax);
  EXPECT_THROW(parser.Definitions().DefineOperator(Operator("+")), DefinitionErrors);
  EXPECT_EQ(parser.Definitions().Operators().size(), 16u);
  EXPECT_DOUBLE_EQ(parser.Evaluate("1+2"), 3);
  // Another argument count is an overload, not a clash.
  parser.Definitions().DefineFunction(Function("sin", 2));
  EXPECT_DOUBLE_EQ(parser.Evaluate("sin(5;6)"), 5);
}

TEST(DefinitionErrors, BadSyntaxAtConstruction) {
  EXPECT_THROW(ExpressionParser({';', ';', '[', ']'}), DefinitionErrors);
  EXPECT_THROW(Registrar({'.', '.', '[', ']'}), EvalException);
}

TEST(DefinitionErrors, MessagesBeyondTheTable) {
  EXPECT_EQ((DefinitionErrorData{static_cast<DefinitionError>(23), "a", "b"}.Message()),
            "Unknow error");
  EXPECT_EQ((DefinitionErrorData{kOperatorSyntaxConflict, "I", "K"}.Message()),
            "Operator name 'I' conflicts with the syntax element character: 'K'.");
}

}  // namespace
}  // namespace lirvan::eval
