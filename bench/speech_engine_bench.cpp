// The engine's latency, throughput against espeak-ng, stop time and idle
// cost, with the generated voice.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "bench/bench_home.h"
#include "speech/engine/speech_engine.h"
#include "speech/synthesis/tts_sound.h"

namespace lirvan {
namespace {

using Clock = std::chrono::steady_clock;

// The clocked device, telling how many tokens were handed to it and how
// long the newest one lasts.
class WatchedDevice final : public SoundOutput {
 public:
  void Open(const PcmFormat& format) override {
    bytesPerSecond_ = format.BytesPerSecond();
    device_.Open(format);
  }
  int Play(std::span<const std::uint8_t> sound) override {
    lastSeconds_.store(static_cast<double>(sound.size()) / bytesPerSecond_);
    started_.fetch_add(1);
    return device_.Play(sound);
  }
  bool IsPlaying() const override { return device_.IsPlaying(); }
  void WaitUntilIdle() const override { device_.WaitUntilIdle(); }
  void Reset() override { device_.Reset(); }

  int Started() const { return started_.load(); }
  double LastSeconds() const { return lastSeconds_.load(); }

 private:
  TTSSound device_{AudioBackendKind::Clocked};
  double bytesPerSecond_ = 1;
  std::atomic<int> started_{0};
  std::atomic<double> lastSeconds_{0};
};

const char* const kSentence = "Bug\xFCn hava \xE7ok g\xFCzel, d\xFC\xFE\xFCnd\xFC\xF0\xFCm\xFCzden de ho\xFE.";

// From Speak to the first token's buffer handed to the device: the
// recording grows just before the buffer is written.
void BM_SpeakLatency(benchmark::State& state) {
  SpeechEngine engine({AudioBackendKind::Null, 60, true, bench::VoiceHome()});
  for (auto _ : state) {
    const std::size_t before = engine.RecordingLength();
    const auto start = Clock::now();
    engine.Speak(kSentence);
    while (engine.RecordingLength() == before) std::this_thread::yield();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    engine.Stop();
  }
}
BENCHMARK(BM_SpeakLatency)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000)->Repetitions(1)
    ->ReportAggregatesOnly(false)->ComputeStatistics("median", [](const std::vector<double>& v) {
      std::vector<double> s(v);
      std::sort(s.begin(), s.end());
      return s[s.size() / 2];
    });

double CpuSeconds() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
         static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// A long text to a WAVE file with the null device, and espeak-ng on the same
// text; the counters give both times and the ratio.
void BM_ThroughputAgainstEspeak(benchmark::State& state) {
  const std::filesystem::path home = bench::VoiceHome();
  const std::string text = bench::TurkishText(64 << 10);
  std::ofstream("/tmp/lirvan-bench-text.txt", std::ios::binary) << Cp1254ToUtf8(text);
  double ours = 0;
  double espeak = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    {
      SpeechEngine engine({AudioBackendKind::Null, 0, true, home});
      engine.SpeakAndWait(text);
      engine.SaveRecording("/tmp/lirvan-bench-ours.wav");
    }
    ours = std::chrono::duration<double>(Clock::now() - start).count();
    start = Clock::now();
    if (std::system("espeak-ng -v tr -w /tmp/lirvan-bench-espeak.wav -f /tmp/lirvan-bench-text.txt") != 0) {
      state.SkipWithError("espeak-ng failed");
      break;
    }
    espeak = std::chrono::duration<double>(Clock::now() - start).count();
  }
  state.counters["lirvan_s"] = ours;
  state.counters["espeak_s"] = espeak;
  state.counters["ratio"] = ours > 0 ? espeak / ours : 0;
  state.counters["text_KB"] = static_cast<double>(text.size()) / 1024;
}
BENCHMARK(BM_ThroughputAgainstEspeak)->Iterations(1)->Unit(benchmark::kMillisecond);

// Stop right after a token has started: the token is cut, not played out,
// so Stop takes about as long however long the token would have lasted.
void BM_StopAfterTokenStarts(benchmark::State& state) {
  WatchedDevice device;
  SpeechEngine engine({AudioBackendKind::Clocked, 60, true, bench::VoiceHome(), &device});
  double worst = 0;
  double tokenSeconds = 0;
  for (auto _ : state) {
    const int before = device.Started();
    engine.Speak("merhaba merhaba merhaba merhaba merhaba");
    while (device.Started() == before) {
    }
    const auto start = Clock::now();
    engine.Stop();
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    worst = std::max(worst, took);
    tokenSeconds = device.LastSeconds();
    state.SetIterationTime(took);
  }
  state.counters["worst_ms"] = worst * 1000;
  state.counters["token_ms"] = tokenSeconds * 1000;
}
BENCHMARK(BM_StopAfterTokenStarts)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// CPU spent by the engine while speech plays for two seconds on a clocked
// device (the consumer waits without spinning).
void BM_CpuWhilePlaying(benchmark::State& state) {
  SpeechEngine engine({AudioBackendKind::Clocked, 60, true, bench::VoiceHome()});
  double share = 0;
  for (auto _ : state) {
    const double cpu0 = CpuSeconds();
    const auto start = Clock::now();
    engine.Speak("merhaba merhaba merhaba merhaba merhaba merhaba");
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    engine.Stop();
    share = (CpuSeconds() - cpu0) / wall;
  }
  state.counters["cpu_percent"] = share * 100;
}
BENCHMARK(BM_CpuWhilePlaying)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
