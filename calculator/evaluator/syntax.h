#pragma once
// The four characters that shape how an expression is read.
#include <string>
#include <vector>

#include "calculator/evaluator/errors.h"

namespace lirvan::eval {

struct Syntax {
  char decimalPoint = '.';
  char argumentSeparator = ',';
  char variableBegin = '[';
  char variableEnd = ']';

  friend bool operator==(const Syntax&, const Syntax&) = default;
};

// The library's own default, in which the help strings are written.
inline constexpr Syntax kDefaultSyntax{'.', ',', '[', ']'};
// Turkish decimal comma, so arguments are separated by ';'.
inline constexpr Syntax kCalculatorSyntax{',', ';', '[', ']'};

// The definition errors of a syntax record; empty when it is usable.
std::vector<DefinitionErrorData> CheckSyntax(const Syntax& syntax);

// Characters that no operator, function or constant name may contain:
// the four of the record and the brackets.
bool IsSyntaxCharacter(const Syntax& syntax, char c);

// The decimal separator of the user's locale (the environment's, without
// touching the process locale); ';' separates arguments when that
// separator is ',', else ','.
Syntax SyntaxFromUserLocale();

// A help string written in the default syntax, shown in the given one.
std::string HelpInSyntax(const std::string& help, const Syntax& syntax);

}  // namespace lirvan::eval
