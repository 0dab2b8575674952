// Unit lookup, token assembly and the engine's start-up with the generated voice.
#include <benchmark/benchmark.h>

#include "bench/bench_home.h"
#include "speech/synthesis/synthesizer.h"
#include "speech/units/token.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

void BM_UnitLookup(benchmark::State& state) {
  const UnitIndex index(IndexFile(bench::VoiceHome()));
  const std::string names[] = {"a", "mer", "ha", "ba", "t\xFCrk", "yok", "zzz", "kral"};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(index.Find(names[i++ % 8]));
  }
}
BENCHMARK(BM_UnitLookup);

// Index table plus sound loading, as the engine does at start-up.
void BM_StartUp(benchmark::State& state) {
  const std::filesystem::path home = bench::VoiceHome();
  for (auto _ : state) {
    UnitIndex index(IndexFile(home));
    Synthesizer synth(index, {AudioBackendKind::Null, 0, home});
    benchmark::DoNotOptimize(synth.dataSize());
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

void BM_IndexLoading(benchmark::State& state) {
  const std::filesystem::path home = bench::VoiceHome();
  for (auto _ : state) {
    UnitIndex index(IndexFile(home));
    benchmark::DoNotOptimize(index.Has("a"));
  }
}
BENCHMARK(BM_IndexLoading)->Unit(benchmark::kMillisecond);

void BM_TokenAssembly(benchmark::State& state) {
  const UnitIndex index(IndexFile(bench::VoiceHome()));
  Synthesizer synth(index, {AudioBackendKind::Null, 1, bench::VoiceHome()});
  Token token;
  token.kind = TokenKind::Word;
  token.units = std::make_unique<UnitNode>("bil");
  token.units->next = std::make_unique<UnitNode>("gi");
  token.units->next->next = std::make_unique<UnitNode>("sa");
  token.units->next->next->next = std::make_unique<UnitNode>("yar");
  token.unitCount = 4;
  std::size_t bytes = synth.pauseWave().length();
  for (const char* n : {"bil", "gi", "sa", "yar"}) bytes += static_cast<std::size_t>(index.Find(n)->size);
  for (auto _ : state) synth.SpeakToken(token);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_TokenAssembly);

// What copying the same bytes costs, for comparison with the assembly.
void BM_CopyUnitBytes(benchmark::State& state) {
  const UnitIndex index(IndexFile(bench::VoiceHome()));
  std::size_t bytes = 0;
  for (const char* n : {"bil", "gi", "sa", "yar"}) bytes += static_cast<std::size_t>(index.Find(n)->size);
  std::vector<std::uint8_t> from(bytes, 1);
  for (auto _ : state) {
    std::vector<std::uint8_t> to(from);
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_CopyUnitBytes);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
