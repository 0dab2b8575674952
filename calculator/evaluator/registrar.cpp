#include "calculator/evaluator/registrar.h"

#include <algorithm>
#include <set>

#include "calculator/evaluator/eval_exception.h"

namespace lirvan::eval {
namespace {

using Errors = std::vector<DefinitionErrorData>;

void ThrowIfAny(Errors errors) {
  if (!errors.empty()) throw DefinitionErrors(std::move(errors));
}

// A definition without a routine has no code of its own: "Unknow error".
DefinitionErrorData MissingRoutine(const std::string& name) {
  return {static_cast<DefinitionError>(-1), name, {}};
}

bool Contains(const std::string& name, char c) { return name.find(c) != std::string::npos; }

std::optional<std::string> SyntaxConflictIn(const Syntax& syntax, const std::string& name) {
  for (char c : name) {
    if (IsSyntaxCharacter(syntax, c)) return std::string(1, c);
  }
  return std::nullopt;
}

}  // namespace

Registrar::Registrar(const Syntax& syntax) : syntax_(syntax) { ThrowIfAny(CheckSyntax(syntax)); }

void Registrar::SetSyntax(const Syntax& syntax) {
  Errors errors = CheckSyntax(syntax);
  // Names already defined must stay writable under the new syntax.
  for (const auto& op : operators_) {
    if (auto k = SyntaxConflictIn(syntax, op->symbol)) {
      errors.push_back({DefinitionError::kOperatorSyntaxConflict, op->symbol, *k});
    }
  }
  std::set<std::string_view> reported;  // overloads share one name
  for (const auto& function : functions_) {
    auto k = SyntaxConflictIn(syntax, function->symbol);
    if (k && reported.insert(function->symbol).second) {
      errors.push_back({DefinitionError::kFunctionSyntaxConflict, function->symbol, *k});
    }
  }
  for (const auto& [name, conversion] : conversions_) {
    if (auto k = SyntaxConflictIn(syntax, name)) {
      errors.push_back({DefinitionError::kFunctionSyntaxConflict, name, *k});
    }
  }
  for (const auto& [name, value] : constants_) {
    if (auto k = SyntaxConflictIn(syntax, name)) {
      errors.push_back({DefinitionError::kConstantSyntaxConflict, name, *k});
    }
  }
  for (const auto& [name, cell] : variables_) {
    for (char delimiter : {syntax.variableBegin, syntax.variableEnd}) {
      if (Contains(name, delimiter)) {
        errors.push_back({DefinitionError::kVariableDelimiterConflict, name, {delimiter}});
        break;
      }
    }
  }
  ThrowIfAny(std::move(errors));
  syntax_ = syntax;
}

void Registrar::DefineOperator(OperatorDefinition definition) {
  const std::string& symbol = definition.symbol;
  if (symbol.empty()) ThrowIfAny({{DefinitionError::kOperatorNameEmpty, {}, {}}});
  Errors errors;
  if (auto k = SyntaxConflict(symbol)) {
    errors.push_back({DefinitionError::kOperatorSyntaxConflict, symbol, *k});
  }
  if (definition.precedence < 0) {
    errors.push_back({DefinitionError::kOperatorPrecedence, symbol, {}});
  }
  if (FindOperator(symbol, definition.unary)) {
    errors.push_back({DefinitionError::kOperatorDefined, symbol, {}});
  }
  // A name that already holds the new symbol could no longer be written.
  for (const auto& function : functions_) {
    if (function->symbol.find(symbol) != std::string::npos) {
      errors.push_back({DefinitionError::kFunctionOperatorConflict, function->symbol, symbol});
    }
  }
  for (const auto& [name, conversion] : conversions_) {
    if (name.find(symbol) != std::string::npos) {
      errors.push_back({DefinitionError::kFunctionOperatorConflict, name, symbol});
    }
  }
  for (const auto& [name, value] : constants_) {
    if (name.find(symbol) != std::string::npos) {
      errors.push_back({DefinitionError::kConstantOperatorConflict, name, symbol});
    }
  }
  if (!definition.evaluate) errors.push_back(MissingRoutine(symbol));
  ThrowIfAny(std::move(errors));
  operatorStarts_.set(static_cast<unsigned char>(symbol.front()));
  operators_.push_back(std::make_shared<const OperatorDefinition>(std::move(definition)));
}

void Registrar::DefineFunction(FunctionDefinition definition) {
  if (definition.symbol.empty()) ThrowIfAny({{DefinitionError::kFunctionNameEmpty, {}, {}}});
  definition.argumentCount = std::max(definition.argumentCount, kAnyArgumentCount);
  Errors errors;
  CheckCallableName(definition.symbol, errors);
  const bool taken =
      conversions_.contains(definition.symbol) ||
      std::ranges::any_of(functions_, [&](const auto& f) {
        return f->symbol == definition.symbol && f->argumentCount == definition.argumentCount;
      });
  if (taken) errors.push_back({DefinitionError::kFunctionDefined, definition.symbol, {}});
  if (!definition.evaluate) errors.push_back(MissingRoutine(definition.symbol));
  ThrowIfAny(std::move(errors));
  functions_.push_back(std::make_shared<const FunctionDefinition>(std::move(definition)));
}

void Registrar::DefineConversion(ConversionDefinition definition) {
  if (definition.symbol.empty()) ThrowIfAny({{DefinitionError::kFunctionNameEmpty, {}, {}}});
  Errors errors;
  CheckCallableName(definition.symbol, errors);
  if (IsFunction(definition.symbol)) {
    errors.push_back({DefinitionError::kFunctionDefined, definition.symbol, {}});
  }
  if (!definition.convert) errors.push_back(MissingRoutine(definition.symbol));
  ThrowIfAny(std::move(errors));
  std::string name = definition.symbol;
  conversions_.emplace(std::move(name),
                       std::make_shared<const ConversionDefinition>(std::move(definition)));
}

void Registrar::DefineConstant(const std::string& name, double value) {
  if (name.empty()) ThrowIfAny({{DefinitionError::kConstantNameEmpty, {}, {}}});
  Errors errors;
  if (IsNumeric(name)) errors.push_back({DefinitionError::kConstantNameNumeric, name, {}});
  if (auto k = SyntaxConflict(name)) {
    errors.push_back({DefinitionError::kConstantSyntaxConflict, name, *k});
  }
  if (auto k = OperatorConflict(name)) {
    errors.push_back({DefinitionError::kConstantOperatorConflict, name, *k});
  }
  if (constants_.contains(name)) errors.push_back({DefinitionError::kConstantDefined, name, {}});
  if (variables_.contains(name)) {
    errors.push_back({DefinitionError::kConstantVariableConflict, name, {}});
  }
  ThrowIfAny(std::move(errors));
  constants_.emplace(name, value);
}

void Registrar::DefineVariable(const std::string& name, double value) {
  if (name.empty()) ThrowIfAny({{DefinitionError::kVariableNameEmpty, {}, {}}});
  Errors errors;
  if (IsNumeric(name)) errors.push_back({DefinitionError::kVariableNameNumeric, name, {}});
  for (char delimiter : {syntax_.variableBegin, syntax_.variableEnd}) {
    if (Contains(name, delimiter)) {
      errors.push_back({DefinitionError::kVariableDelimiterConflict, name, {delimiter}});
      break;
    }
  }
  if (variables_.contains(name)) errors.push_back({DefinitionError::kVariableDefined, name, {}});
  if (constants_.contains(name)) {
    errors.push_back({DefinitionError::kVariableConstantConflict, name, {}});
  }
  ThrowIfAny(std::move(errors));
  variables_.emplace(name, std::make_shared<double>(value));
}

void Registrar::SetVariable(const std::string& name, double value) {
  auto found = variables_.find(name);
  if (found == variables_.end()) ThrowIfAny({{DefinitionError::kVariableNotFound, name, {}}});
  *found->second = value;
}

void Registrar::UndefineVariable(const std::string& name) {
  if (variables_.erase(name) == 0) ThrowIfAny({{DefinitionError::kVariableNotFound, name, {}}});
}

double Registrar::VariableValue(const std::string& name) const {
  auto found = variables_.find(name);
  if (found == variables_.end()) ThrowIfAny({{DefinitionError::kVariableNotFound, name, {}}});
  return *found->second;
}

std::size_t Registrar::OperatorLengthAt(std::string_view text) const {
  if (text.empty() || !operatorStarts_.test(static_cast<unsigned char>(text.front()))) return 0;
  std::size_t longest = 0;
  for (const auto& op : operators_) {
    if (op->symbol.size() > longest && text.starts_with(op->symbol)) longest = op->symbol.size();
  }
  return longest;
}

const std::shared_ptr<const OperatorDefinition>* Registrar::FindOperator(std::string_view symbol,
                                                                         bool unary) const {
  for (const auto& op : operators_) {
    if (op->unary == unary && op->symbol == symbol) return &op;
  }
  return nullptr;
}

bool Registrar::IsFunction(std::string_view name) const {
  return conversions_.contains(name) ||
         std::ranges::any_of(functions_, [&](const auto& f) { return f->symbol == name; });
}

const std::shared_ptr<const FunctionDefinition>* Registrar::FindFunction(
    std::string_view name, int argumentCount) const {
  const std::shared_ptr<const FunctionDefinition>* any = nullptr;
  for (const auto& function : functions_) {
    if (function->symbol != name) continue;
    if (function->argumentCount == argumentCount) return &function;
    if (function->argumentCount == kAnyArgumentCount) any = &function;
  }
  return any;
}

const std::shared_ptr<const ConversionDefinition>* Registrar::FindConversion(
    std::string_view name) const {
  auto found = conversions_.find(name);
  return found == conversions_.end() ? nullptr : &found->second;
}

std::optional<double> Registrar::FindConstant(std::string_view name) const {
  auto found = constants_.find(name);
  if (found == constants_.end()) return std::nullopt;
  return found->second;
}

const std::shared_ptr<double>* Registrar::FindVariable(std::string_view name) const {
  auto found = variables_.find(name);
  return found == variables_.end() ? nullptr : &found->second;
}

std::vector<std::shared_ptr<const FunctionDefinition>> Registrar::Functions() const {
  return functions_;
}

std::vector<std::shared_ptr<const ConversionDefinition>> Registrar::Conversions() const {
  std::vector<std::shared_ptr<const ConversionDefinition>> all;
  for (const auto& [name, conversion] : conversions_) all.push_back(conversion);
  return all;
}

void Registrar::CheckCallableName(const std::string& name, Errors& errors) const {
  if (auto k = SyntaxConflict(name)) {
    errors.push_back({DefinitionError::kFunctionSyntaxConflict, name, *k});
  }
  if (auto k = OperatorConflict(name)) {
    errors.push_back({DefinitionError::kFunctionOperatorConflict, name, *k});
  }
}

std::optional<std::string> Registrar::SyntaxConflict(const std::string& name) const {
  return SyntaxConflictIn(syntax_, name);
}

std::optional<std::string> Registrar::OperatorConflict(const std::string& name) const {
  for (const auto& op : operators_) {
    if (name.find(op->symbol) != std::string::npos) return op->symbol;
  }
  return std::nullopt;
}

bool Registrar::IsNumeric(const std::string& name) const {
  return std::ranges::all_of(name, [&](char c) {
    return (c >= '0' && c <= '9') || c == syntax_.decimalPoint;
  });
}

}  // namespace lirvan::eval
