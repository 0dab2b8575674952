#pragma once
// Turns an expression into its compiled form. The parse is iterative (an
// operator stack, no recursion), so bracket depth is bounded by memory only.
#include <string_view>

#include "calculator/evaluator/compiled_expression.h"
#include "calculator/evaluator/registrar.h"

namespace lirvan::eval {

// Blanks are ignored; an expression with nothing else compiles to NaN.
// Throws ParsingErrors carrying the first error found.
CompiledExpression Compile(std::string_view expression, const Registrar& registrar);

}  // namespace lirvan::eval
