// Number words, symbol names and lexicon look-ups: the per-token expansion
// work of the front end, apart from tokenising and syllables.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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

// Loading a lexicon of a million lines written in the worst orders for the
// store: sorted keys, one key repeated, keys sharing a long prefix.
void BM_LexiconLoading(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("lirvan-lexicon-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "veriler");
  {
    std::ofstream out(dir / "veriler" / "kisaltmalar.txt", std::ios::binary);
    const std::string prefix(60, 'k');
    for (int i = 0; i < 1'000'000; ++i) {
      char key[16];
      std::snprintf(key, sizeof key, "%07d", i);
      switch (state.range(0)) {
        case 0:
          out << "a" << key << " deger\n";
          break;
        case 1:
          out << "dr doktor\n";
          break;
        default:
          out << prefix << key << " deger\n";
          break;
      }
    }
  }
  for (auto _ : state) {
    Lexicon lexicon;
    LoadAbbreviations(lexicon, dir);
    benchmark::DoNotOptimize(lexicon.Lookup("dr"));
  }
  std::filesystem::remove_all(dir);
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_LexiconLoading)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
