#include "calculator/evaluator/compiled_expression.h"

#include <algorithm>
#include <functional>
#include <span>
#include <utility>

#include "calculator/evaluator/eval_exception.h"

namespace lirvan::eval {
namespace {

[[noreturn]] void Malformed(std::size_t position) {
  throw ParsingErrors(ParsingErrorData{ParsingError::kInternal, position, {}, 0});
}

}  // namespace

void CompiledExpression::PushNumber(double value) {
  code_.push_back({Instruction::Kind::kNumber, 0, value, nullptr, nullptr, 0});
  maxDepth_ = std::max(maxDepth_, ++depth_);
}

void CompiledExpression::PushVariable(const double& cell) {
  code_.push_back({Instruction::Kind::kVariable, 0, 0, &cell, nullptr, 0});
  maxDepth_ = std::max(maxDepth_, ++depth_);
}

void CompiledExpression::PushCall(const Routine& routine, int arity, std::size_t position) {
  arity = std::max(arity, 0);
  code_.push_back({Instruction::Kind::kCall, arity, 0, nullptr, &routine, position});
  const auto taken = static_cast<std::size_t>(arity);
  depth_ = (depth_ >= taken ? depth_ - taken : 0) + 1;
  maxDepth_ = std::max(maxDepth_, depth_);
}

namespace {

bool ByAddress(const std::shared_ptr<const void>& held, const void* address) {
  return std::less<const void*>{}(held.get(), address);
}

}  // namespace

bool CompiledExpression::Holds(const void* address) const {
  auto at = std::lower_bound(owners_.begin(), owners_.end(), address, ByAddress);
  return at != owners_.end() && at->get() == address;
}

void CompiledExpression::Hold(std::shared_ptr<const void> owner) {
  auto at = std::lower_bound(owners_.begin(), owners_.end(), owner.get(), ByAddress);
  owners_.insert(at, std::move(owner));
}

double CompiledExpression::Evaluate() const {
  std::vector<double> stack;
  stack.reserve(maxDepth_);
  for (const Instruction& instruction : code_) {
    switch (instruction.kind) {
      case Instruction::Kind::kNumber:
        stack.push_back(instruction.number);
        break;
      case Instruction::Kind::kVariable:
        stack.push_back(*instruction.variable);
        break;
      case Instruction::Kind::kCall: {
        const auto arity = static_cast<std::size_t>(instruction.arity);
        if (stack.size() < arity) Malformed(instruction.position);
        const std::size_t base = stack.size() - arity;
        const double result =
            (*instruction.routine)(std::span<const double>(stack).subspan(base));
        stack.resize(base);
        stack.push_back(result);
        break;
      }
    }
  }
  if (stack.size() != 1) Malformed(code_.empty() ? 0 : code_.back().position);
  return stack.front();
}

}  // namespace lirvan::eval
