#include "calculator/evaluator/syntax.h"

#include <locale>
#include <stdexcept>

namespace lirvan::eval {

std::vector<DefinitionErrorData> CheckSyntax(const Syntax& syntax) {
  std::vector<DefinitionErrorData> errors;
  auto isDelimiter = [&](char c) { return c == syntax.variableBegin || c == syntax.variableEnd; };
  if (syntax.argumentSeparator == syntax.decimalPoint) {
    errors.push_back({DefinitionError::kSeparatorIsDecimalPoint, {}, {}});
  }
  if (isDelimiter(syntax.argumentSeparator)) {
    errors.push_back({DefinitionError::kSeparatorIsDelimiter, {}, {}});
  }
  if (isDelimiter(syntax.decimalPoint)) {
    errors.push_back({DefinitionError::kDecimalPointIsDelimiter, {}, {}});
  }
  return errors;
}

bool IsSyntaxCharacter(const Syntax& syntax, char c) {
  return c == syntax.decimalPoint || c == syntax.argumentSeparator ||
         c == syntax.variableBegin || c == syntax.variableEnd || c == '(' || c == ')';
}

Syntax SyntaxFromUserLocale() {
  char decimal = '.';
  try {
    decimal = std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::runtime_error&) {
    // An unknown locale name in the environment: keep the classic point.
  }
  Syntax syntax = kDefaultSyntax;
  syntax.decimalPoint = decimal;
  syntax.argumentSeparator = decimal == ',' ? ';' : ',';
  return syntax;
}

std::string HelpInSyntax(const std::string& help, const Syntax& syntax) {
  std::string shown = help;
  for (char& c : shown) {
    if (c == kDefaultSyntax.argumentSeparator) c = syntax.argumentSeparator;
  }
  return shown;
}

}  // namespace lirvan::eval
