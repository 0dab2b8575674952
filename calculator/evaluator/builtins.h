#pragma once
// The operators, functions, conversions and constant every evaluator starts
// with.
#include <memory>
#include <random>

#include "calculator/evaluator/registrar.h"

namespace lirvan::eval {

// The generator behind rand(): values 0 to 32767. Each evaluator owns its
// own, so evaluators on different threads share nothing.
class RandomSource {
 public:
  RandomSource() : engine_(std::random_device{}()) {}
  int Next() { return distribution_(engine_); }

 private:
  std::minstd_rand engine_;
  std::uniform_int_distribution<int> distribution_{0, 32767};
};

// Operators, then functions, then the conversions hex and bin, then "NaN".
void DefineBuiltins(Registrar& registrar, std::shared_ptr<RandomSource> random);

}  // namespace lirvan::eval
