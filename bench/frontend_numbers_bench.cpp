// Number words, symbol names and lexicon look-ups: the per-token expansion
// work of the front end, apart from tokenising and syllables.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "frontend/lexicon.h"
#include "frontend/numbers.h"
#include "frontend/symbols.h"

namespace lirvan {
namespace {

void BM_ExpandNumber(benchmark::State& state) {
  const std::vector<std::string> numbers = {"7",    "21",      "215",       "2026",
                                            "1001", "1.250.000", "987654321", "100"};
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& n : numbers) {
      auto token = MakeToken(n);
      token->kind = TokenKind::Cardinal;
      ExpandNumber(*token);
      benchmark::DoNotOptimize(token->spoken.data());
      bytes += n.size();
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_ExpandNumber);

void BM_NameSymbol(benchmark::State& state) {
  const std::vector<std::string> texts = {",", ".", "kelime", "(", "...", "bir", "?", "ve"};
  for (auto _ : state) {
    for (const std::string& t : texts) {
      auto token = MakeToken(t);
      NameSymbol(*token);
      benchmark::DoNotOptimize(token->spoken.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(BM_NameSymbol);

// Look-ups in the shipped lexicons, mostly misses as in ordinary prose.
void BM_LexiconLookup(benchmark::State& state) {
  Lexicon lexicon;
  LoadAbbreviations(lexicon, LIRVAN_SOURCE_DIR);
  LoadExceptions(lexicon, LIRVAN_SOURCE_DIR);
  const std::vector<std::string> words = {"bug\xFCn", "dr",  "ahmet", "ile", "vb",   "kitap",
                                          "okudu",    "prof", "ve",   "bir", "google", "ev"};
  for (auto _ : state) {
    for (const std::string& w : words) benchmark::DoNotOptimize(lexicon.Lookup(w));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(BM_LexiconLookup);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
