#include "calculator/evaluator/expression_parser.h"

#include "calculator/evaluator/compiler.h"

namespace lirvan::eval {

ExpressionParser::ExpressionParser() : ExpressionParser(kCalculatorSyntax) {}

ExpressionParser::ExpressionParser(const Syntax& syntax)
    : registrar_(syntax), random_(std::make_shared<RandomSource>()) {
  DefineBuiltins(registrar_, random_);
}

double ExpressionParser::Evaluate(std::string_view expression) {
  return Compile(expression).Evaluate();
}

CompiledExpression ExpressionParser::Compile(std::string_view expression) const {
  return eval::Compile(expression, registrar_);
}

}  // namespace lirvan::eval
