#pragma once
// What can be defined in the registrar: operators, functions and the
// conversion functions that read their argument as raw text.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lirvan::eval {

using Arguments = std::span<const double>;
using Routine = std::function<double(Arguments)>;
// Returns nothing when the text is not a valid number for this conversion.
using ConversionRoutine = std::function<std::optional<double>(std::string_view)>;

struct OperatorDefinition {
  std::string symbol;
  std::string help;
  std::string description;
  int precedence = 0;  // the larger binds tighter; never negative
  bool unary = false;  // unary operators are written before their operand
  Routine evaluate;    // gets one argument if unary, else two
};

inline constexpr int kAnyArgumentCount = -1;

struct FunctionDefinition {
  std::string symbol;
  std::string help;
  std::string description;
  int argumentCount = 0;  // kAnyArgumentCount (any negative value): any number
  bool constant = true;   // false when the value changes from call to call
  Routine evaluate;
};

struct ConversionDefinition {
  std::string symbol;
  std::string help;
  std::string description;
  ConversionRoutine convert;
};

}  // namespace lirvan::eval
