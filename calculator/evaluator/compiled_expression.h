#pragma once
// The internal form of an expression: a postfix program over a value stack.
// It shares ownership of the routines and variable cells it uses, so it
// stays valid after its registrar is gone; a variable's value is read at
// each evaluation.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "calculator/evaluator/definitions.h"

namespace lirvan::eval {

class CompiledExpression {
 public:
  void Reserve(std::size_t instructions) { code_.reserve(instructions); }
  void PushNumber(double value);
  // The cell must be kept alive with Retain.
  void PushVariable(const double& cell);
  // Replaces the top arity values by the routine's result; the routine must
  // be kept alive with Retain. position is the written position reported
  // should the program ever be malformed.
  void PushCall(const Routine& routine, int arity, std::size_t position);

  // Shares ownership of what a pushed routine or cell belongs to.
  template <typename T>
  void Retain(const std::shared_ptr<T>& owner) {
    if (!Holds(owner.get())) Hold(owner);
  }

  // Throws ParsingErrors (internal error) only for a malformed program.
  double Evaluate() const;
  bool Empty() const noexcept { return code_.empty(); }

 private:
  struct Instruction {
    enum class Kind : std::uint8_t { kNumber, kVariable, kCall };
    Kind kind = Kind::kNumber;
    int arity = 0;
    double number = 0;
    const double* variable = nullptr;
    const Routine* routine = nullptr;
    std::size_t position = 0;
  };

  bool Holds(const void* address) const;
  void Hold(std::shared_ptr<const void> owner);

  std::vector<Instruction> code_;
  std::vector<std::shared_ptr<const void>> owners_;  // sorted by address
  std::size_t depth_ = 0;
  std::size_t maxDepth_ = 0;
};

}  // namespace lirvan::eval
