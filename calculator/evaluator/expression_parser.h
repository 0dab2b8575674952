#pragma once
// The evaluator object: a registrar filled with the built-in definitions and
// the operation that compiles and evaluates an expression.
//
// One object serves one thread at a time (rand() advances its generator).
//
// Text: expressions are byte strings (ASCII in practice; other bytes may
// appear in names). Every message text is ASCII, so UTF-8 as well.
#include <memory>
#include <string_view>

#include "calculator/evaluator/builtins.h"
#include "calculator/evaluator/compiled_expression.h"
#include "calculator/evaluator/registrar.h"
#include "calculator/evaluator/syntax.h"

namespace lirvan::eval {

class ExpressionParser {
 public:
  // The calculator's syntax: ',' decimal point, ';' between arguments.
  ExpressionParser();
  // Throws DefinitionErrors for an unusable syntax record.
  explicit ExpressionParser(const Syntax& syntax);

  ExpressionParser(const ExpressionParser&) = delete;
  ExpressionParser& operator=(const ExpressionParser&) = delete;
  ExpressionParser(ExpressionParser&&) = default;
  ExpressionParser& operator=(ExpressionParser&&) = default;
  ~ExpressionParser() = default;

  // Throws ParsingErrors; an empty or all-blank expression gives NaN.
  // Not const: rand() advances this evaluator's generator.
  double Evaluate(std::string_view expression);
  CompiledExpression Compile(std::string_view expression) const;

  // Further operators, functions, constants and variables.
  Registrar& Definitions() noexcept { return registrar_; }
  const Registrar& Definitions() const noexcept { return registrar_; }

  const Syntax& GetSyntax() const noexcept { return registrar_.GetSyntax(); }
  void SetSyntax(const Syntax& syntax) { registrar_.SetSyntax(syntax); }
  void UseUserLocaleSyntax() { registrar_.SetSyntax(SyntaxFromUserLocale()); }

 private:
  Registrar registrar_;
  std::shared_ptr<RandomSource> random_;
};

}  // namespace lirvan::eval
