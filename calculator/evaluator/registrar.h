#pragma once
// The table of defined operators, functions, conversions, constants and
// variables, and the syntax they are read in. Every definition is checked
// against the table first; a refused definition changes nothing and throws
// DefinitionErrors carrying every reason found.
#include <bitset>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculator/evaluator/definitions.h"
#include "calculator/evaluator/syntax.h"

namespace lirvan::eval {

class Registrar {
 public:
  // Throws DefinitionErrors for an unusable syntax record.
  explicit Registrar(const Syntax& syntax = kDefaultSyntax);

  // A copy would share the variable cells with the original.
  Registrar(const Registrar&) = delete;
  Registrar& operator=(const Registrar&) = delete;
  Registrar(Registrar&&) = default;
  Registrar& operator=(Registrar&&) = default;
  ~Registrar() = default;

  const Syntax& GetSyntax() const noexcept { return syntax_; }
  // Also refused when a name already defined would contain a new syntax
  // character, since it could no longer be written.
  void SetSyntax(const Syntax& syntax);

  void DefineOperator(OperatorDefinition definition);
  // Functions may share a symbol when their argument counts differ.
  void DefineFunction(FunctionDefinition definition);
  void DefineConversion(ConversionDefinition definition);
  void DefineConstant(const std::string& name, double value);
  void DefineVariable(const std::string& name, double value);
  void SetVariable(const std::string& name, double value);
  // Compiled expressions that use the variable keep its last value.
  void UndefineVariable(const std::string& name);
  double VariableValue(const std::string& name) const;

  // Lookups used by the compiler. They point into the table (nullptr when
  // nothing is found) and stay valid until the next definition.
  // Length of the longest operator symbol the text starts with; 0 if none.
  std::size_t OperatorLengthAt(std::string_view text) const;
  const std::shared_ptr<const OperatorDefinition>* FindOperator(std::string_view symbol,
                                                                bool unary) const;
  // True when the name has a function or conversion definition.
  bool IsFunction(std::string_view name) const;
  // The definition taking exactly that many arguments, else one taking any.
  const std::shared_ptr<const FunctionDefinition>* FindFunction(std::string_view name,
                                                                int argumentCount) const;
  const std::shared_ptr<const ConversionDefinition>* FindConversion(std::string_view name) const;
  std::optional<double> FindConstant(std::string_view name) const;
  const std::shared_ptr<double>* FindVariable(std::string_view name) const;

  // For help lists, in order of definition.
  const std::vector<std::shared_ptr<const OperatorDefinition>>& Operators() const noexcept {
    return operators_;
  }
  std::vector<std::shared_ptr<const FunctionDefinition>> Functions() const;
  std::vector<std::shared_ptr<const ConversionDefinition>> Conversions() const;

 private:
  using Errors = std::vector<DefinitionErrorData>;
  void CheckCallableName(const std::string& name, Errors& errors) const;
  std::optional<std::string> SyntaxConflict(const std::string& name) const;
  std::optional<std::string> OperatorConflict(const std::string& name) const;
  bool IsNumeric(const std::string& name) const;

  Syntax syntax_;
  std::bitset<256> operatorStarts_;  // first bytes of the operator symbols
  std::vector<std::shared_ptr<const OperatorDefinition>> operators_;
  std::vector<std::shared_ptr<const FunctionDefinition>> functions_;
  std::map<std::string, std::shared_ptr<const ConversionDefinition>, std::less<>> conversions_;
  std::map<std::string, double, std::less<>> constants_;
  std::map<std::string, std::shared_ptr<double>, std::less<>> variables_;
};

}  // namespace lirvan::eval
