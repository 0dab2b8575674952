#pragma once
// Error records of the evaluator. Every message text here is plain ASCII
// (UTF-8); items copied from an expression keep the bytes they were given.
// The texts, spelling slips included, are the ones the calculator's users and
// scripts have always seen, so they are kept word for word.
#include <cstddef>
#include <string>

namespace lirvan::eval {

enum class ParsingError : int {
  kInvalidOperatorSyntax = 0,
  kUnexpectedVariableBegin = 1,
  kUnexpectedVariableEnd = 2,
  kUnexpectedOperator = 3,
  kMissingOpeningBracket = 4,
  kSeparatorOutsideFunction = 5,
  kMissingClosingBracket = 6,
  kNoOverload = 7,
  kInvalidSyntax = 8,
  kMissingOperator = 9,
  kUndefinedFunction = 10,
  kUndefinedVariable = 11,
  kInvalidSeparator = 12,
  kConversionFailed = 13,
  kInternal = 14,
};

// An error in an expression. position is 0-based in the text as written
// (before blanks were removed); the message counts from 1.
struct ParsingErrorData {
  ParsingError code = ParsingError::kInternal;
  std::size_t position = 0;
  std::string item;        // operator, function or variable concerned
  int argumentCount = 0;   // only for kNoOverload

  std::string Message() const;
};

enum class DefinitionError : int {
  kSeparatorIsDecimalPoint = 0,
  kSeparatorIsDelimiter = 1,
  kDecimalPointIsDelimiter = 2,
  kOperatorDefined = 3,
  kOperatorNameEmpty = 4,
  kOperatorSyntaxConflict = 5,
  kOperatorPrecedence = 6,
  kFunctionDefined = 7,
  kFunctionNameEmpty = 8,
  kFunctionSyntaxConflict = 9,
  kFunctionOperatorConflict = 10,
  kVariableDefined = 11,
  kVariableNameEmpty = 12,
  kVariableNameNumeric = 13,
  kVariableConstantConflict = 14,
  kVariableDelimiterConflict = 15,
  kVariableNotFound = 16,
  kConstantDefined = 17,
  kConstantNameEmpty = 18,
  kConstantNameNumeric = 19,
  kConstantSyntaxConflict = 20,
  kConstantOperatorConflict = 21,
  kConstantVariableConflict = 22,
};

// An error in a definition or a syntax record. item is the name concerned,
// conflict the character or operator it collides with.
struct DefinitionErrorData {
  DefinitionError code = static_cast<DefinitionError>(-1);  // "Unknow error"
  std::string item;
  std::string conflict;

  std::string Message() const;
};

}  // namespace lirvan::eval
