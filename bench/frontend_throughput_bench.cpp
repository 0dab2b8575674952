// Tokenising, expansion, syllabification and unit selection of long
// Turkish text, without synthesis.
#include <benchmark/benchmark.h>

#include "bench/bench_home.h"
#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

class Discard final : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token>) override { return true; }
};

void BM_FrontEndThroughput(benchmark::State& state) {
  bench::EnterVoiceHome();
  const UnitIndex index(kIndexPath);
  Discard sink;
  TextFrontEnd frontEnd(sink, index);
  const std::string text = bench::TurkishText(4 << 20);
  for (auto _ : state) {
    frontEnd.SetText(text);
    frontEnd.Run();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FrontEndThroughput)->Unit(benchmark::kMillisecond);

// Text dense with what the reading steps take: dates, times, suffixes,
// signs, numerals, initialisms, addresses.
void BM_FrontEndReadingSteps(benchmark::State& state) {
  bench::EnterVoiceHome();
  const UnitIndex index(kIndexPath);
  Discard sink;
  TextFrontEnd frontEnd(sink, index);
  const std::string once = Utf8ToCp1254(
      "08.12.2026 tarihinde saat 14:30'da Ankara'da %25 indirim, -5 derece, 3,5 kilo; "
      "XIV. yüzyıl, T.C. kimlik, www.ornek.com.tr ve ali@ornek.org adresi. ");
  std::string text;
  while (text.size() < (4u << 20)) text += once;
  for (auto _ : state) {
    frontEnd.SetText(text);
    frontEnd.Run();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FrontEndReadingSteps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
