// What the calculator does on Enter (compile and evaluate, then format),
// and the parts of it on their own.
#include <benchmark/benchmark.h>

#include <string>

#include "calculator/evaluator/expression_parser.h"
#include "calculator/evaluator/result_format.h"

namespace {

using lirvan::eval::ExpressionParser;

constexpr const char* kTypical = "avg(1;1-1+2;3;(2+2))*sin(0,5)^2 + hex(ff) - fact(5)/3,5";

void BM_EvaluateTypical(benchmark::State& state) {
  ExpressionParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.Evaluate(kTypical));
}
BENCHMARK(BM_EvaluateTypical);

void BM_EvaluateCompiled(benchmark::State& state) {
  ExpressionParser parser;
  const auto compiled = parser.Compile(kTypical);
  for (auto _ : state) benchmark::DoNotOptimize(compiled.Evaluate());
}
BENCHMARK(BM_EvaluateCompiled);

void BM_FormatResult(benchmark::State& state) {
  double value = 4.605170185988092;
  for (auto _ : state) {
    benchmark::DoNotOptimize(lirvan::eval::FormatCalculatorResult(value));
    value += 1.25;
  }
}
BENCHMARK(BM_FormatResult);

// Sums of n terms: the cost per token of scanning and compiling.
void BM_EvaluateLongSum(benchmark::State& state) {
  std::string expression = "1";
  for (int64_t i = 1; i < state.range(0); ++i) expression += "+1";
  ExpressionParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.Evaluate(expression));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(expression.size()));
}
BENCHMARK(BM_EvaluateLongSum)->Range(16, 1 << 16);

void BM_EvaluateDeepBrackets(benchmark::State& state) {
  const auto depth = static_cast<std::size_t>(state.range(0));
  const std::string expression = std::string(depth, '(') + "1" + std::string(depth, ')');
  ExpressionParser parser;
  for (auto _ : state) benchmark::DoNotOptimize(parser.Evaluate(expression));
}
BENCHMARK(BM_EvaluateDeepBrackets)->Arg(10'000);

}  // namespace

BENCHMARK_MAIN();
