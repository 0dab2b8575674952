#include "calculator/evaluator/errors.h"

namespace lirvan::eval {

std::string ParsingErrorData::Message() const {
  const std::string p = std::to_string(position + 1);
  switch (code) {
    case ParsingError::kInvalidOperatorSyntax:
      return "Invalid operator syntax: " + item + ", at position " + p;
    case ParsingError::kUnexpectedVariableBegin:
      return "Unexpected begin variable name character at position: " + p;
    case ParsingError::kUnexpectedVariableEnd:
      return "Unexpected end variable name character at position: " + p;
    case ParsingError::kUnexpectedOperator:
      return "Unexpected operator near position: " + p;
    case ParsingError::kMissingOpeningBracket:
      return "Missing opening bracket to macth closing bracket at position: " + p;
    case ParsingError::kSeparatorOutsideFunction:
      return "Invalid use of an argument separator outside a function at position: " + p;
    case ParsingError::kMissingClosingBracket:
      return "Missing closing bracket to match opening bracket at position: " + p;
    case ParsingError::kNoOverload:
      return "Function :" + item + ", position: " + p + ".  No overloaded function takes " +
             std::to_string(argumentCount) + " arguments";
    case ParsingError::kInvalidSyntax:
      return "Invalid syntax near position " + p;
    case ParsingError::kMissingOperator:
      return "Missing operator before : " + item + ", at position: " + p;
    case ParsingError::kUndefinedFunction:
      return "Undefined function: " + item + ", at position: " + p;
    case ParsingError::kUndefinedVariable:
      return "Undefined variable: " + item + ", at position: " + p;
    case ParsingError::kInvalidSeparator:
      return "Invalid use of an argument separator at position: " + p;
    case ParsingError::kConversionFailed:
      return "The argument passed to the conversion function cannot be correctly converted.  "
             "Function: " + item + ", at position: " + p;
    case ParsingError::kInternal:
      return "Internal error at position: " + p;
  }
  return "Unknown error";
}

std::string DefinitionErrorData::Message() const {
  using enum DefinitionError;
  const std::string& i = item;
  const std::string& k = conflict;
  switch (code) {
    case kSeparatorIsDecimalPoint:
      return "The argument separator character and the decinal point character are the same";
    case kSeparatorIsDelimiter:
      return "The argument separator character and one of the variable name delimiter "
             "characters are the same";
    case kDecimalPointIsDelimiter:
      return "The decimal point character and one of the variable name delimiter characters "
             "are the same";
    case kOperatorDefined: return "Operator already defined: " + i;
    case kOperatorNameEmpty: return "Operator name cannot be null";
    case kOperatorSyntaxConflict:
      return "Operator name '" + i + "' conflicts with the syntax element character: '" + k + "'.";
    case kOperatorPrecedence: return "Operator: " + i + "; invalid precedence.";
    case kFunctionDefined: return "Function already defined: " + i;
    case kFunctionNameEmpty: return "Function name cannot be null";
    case kFunctionSyntaxConflict:
      return "Function name '" + i + "' conflicts with the syntax element character: '" + k + "'.";
    case kFunctionOperatorConflict:
      return "Function name '" + i + "' conflicts with the operator '" + k + "'.";
    case kVariableDefined: return "Variable already defined: " + i;
    case kVariableNameEmpty: return "Variable name cannot be null";
    case kVariableNameNumeric:
      return "Invalid variable name: " + i + ". Cannot be composed only of numbers";
    case kVariableConstantConflict:
      return "Variable name '" + i + "' conflicts with the constant of the same name.";
    case kVariableDelimiterConflict:
      return "Variable name '" + i + "' contains the variable delimiter character: '" + k + "'.";
    case kVariableNotFound: return "Variable not found: " + i;
    case kConstantDefined: return "Constant already defined: " + i;
    case kConstantNameEmpty: return "Constant name cannot be null";
    case kConstantNameNumeric:
      return "Invalid constant name: " + i + ". Cannot be composed only of numbers";
    case kConstantSyntaxConflict:
      return "Constant name '" + i + "' conflicts with the syntax element character: '" + k + "'.";
    case kConstantOperatorConflict:
      return "Constant name '" + i + "' conflicts with the operator '" + k + "'.";
    case kConstantVariableConflict:
      return "Constant name '" + i + "' conflicts with the variable of the same name.";
  }
  return "Unknow error";
}

}  // namespace lirvan::eval
