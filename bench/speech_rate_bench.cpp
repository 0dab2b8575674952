// The speaking rate's cost and the silence of Stop, with the generated
// voice on the clocked device: from Speak to the first buffer at 100% and
// 300%, and from Stop in the middle of a long word to the moment the
// device has let go of its buffer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_home.h"
#include "speech/engine/speech_engine.h"
#include "speech/synthesis/tts_sound.h"

namespace lirvan {
namespace {

using Clock = std::chrono::steady_clock;

// The clocked device, telling when a buffer was first handed to it and when
// the device last gave one back (played out or cut).
class WatchedDevice final : public SoundOutput {
 public:
  void Open(const PcmFormat& format) override { device_.Open(format); }
  int Play(std::span<const std::uint8_t> sound) override {
    started_.fetch_add(1);
    firstBuffer_.store(Clock::now().time_since_epoch().count());
    const int result = device_.Play(sound);
    released_.store(Clock::now().time_since_epoch().count());
    return result;
  }
  bool IsPlaying() const override { return device_.IsPlaying(); }
  void WaitUntilIdle() const override { device_.WaitUntilIdle(); }
  void Reset() override { device_.Reset(); }

  int Started() const { return started_.load(); }
  Clock::time_point LastStart() const { return At(firstBuffer_); }
  Clock::time_point LastRelease() const { return At(released_); }

 private:
  static Clock::time_point At(const std::atomic<Clock::rep>& ticks) {
    return Clock::time_point(Clock::duration(ticks.load()));
  }
  TTSSound device_{AudioBackendKind::Clocked};
  std::atomic<int> started_{0};
  std::atomic<Clock::rep> firstBuffer_{0};
  std::atomic<Clock::rep> released_{0};
};

double Median(const std::vector<double>& values) {
  std::vector<double> sorted(values);
  std::sort(sorted.begin(), sorted.end());
  return sorted[sorted.size() / 2];
}

// One run, so the statistics are counters: the median, the 90th
// percentile and the worst, in the unit given.
void Report(benchmark::State& state, std::vector<double> values, double scale, const std::string& unit) {
  std::sort(values.begin(), values.end());
  state.counters["median_" + unit] = values[values.size() / 2] * scale;
  state.counters["p90_" + unit] = values[values.size() * 9 / 10] * scale;
  state.counters["max_" + unit] = values.back() * scale;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

const char* const kSentence =
    "Bug\xFCn hava \xE7ok g\xFCzel, d\xFC\xFE\xFCnd\xFC\xF0\xFCm\xFCzden de ho\xFE.";
// "Çekoslovakyalılaştıramadıklarımızdanmışsınızcasına": seconds of speech.
const char* const kLongWord =
    "\xC7" "ekoslovakyal\xFDla\xFEt\xFDramad\xFDklar\xFDm\xFDzdanm\xFD\xFEs\xFDn\xFDzcas\xFDna";

// The engine on the watched device at the benchmark's argument as rate.
EngineOptions OptionsFor(WatchedDevice& device, const benchmark::State& state) {
  return {.audio = AudioBackendKind::Clocked, .home = bench::VoiceHome(), .output = &device,
          .rate = static_cast<int>(state.range(0)), .keepRecording = false};
}

void SpeakUntilPlaying(SpeechEngine& engine, const WatchedDevice& device, const char* text) {
  const int before = device.Started();
  engine.Speak(text);
  while (device.Started() == before) std::this_thread::yield();
}

// From Speak to the first token's buffer on the device; the argument is
// the rate.
void BM_FirstBufferLatency(benchmark::State& state) {
  WatchedDevice device;
  SpeechEngine engine(OptionsFor(device, state));
  std::vector<double> latencies;
  for (auto _ : state) {
    const auto start = Clock::now();
    SpeakUntilPlaying(engine, device, kSentence);
    latencies.push_back(Seconds(device.LastStart() - start));
    state.SetIterationTime(latencies.back());
    engine.Stop();
  }
  Report(state, latencies, 1e6, "us");
}
BENCHMARK(BM_FirstBufferLatency)->Arg(100)->Arg(300)->UseManualTime()->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

// Stop 30 ms into a long word: the time until the device gave its buffer
// back (silence), and until Stop returned; the argument is the rate.
void BM_StopLongWordToSilence(benchmark::State& state) {
  WatchedDevice device;
  SpeechEngine engine(OptionsFor(device, state));
  std::vector<double> silences;
  std::vector<double> returned;
  for (auto _ : state) {
    SpeakUntilPlaying(engine, device, kLongWord);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto start = Clock::now();
    engine.Stop();
    returned.push_back(Seconds(Clock::now() - start));
    silences.push_back(Seconds(device.LastRelease() - start));
    state.SetIterationTime(silences.back());
  }
  Report(state, silences, 1e3, "ms");
  state.counters["stop_returned_median_ms"] = Median(returned) * 1e3;
}
BENCHMARK(BM_StopLongWordToSilence)->Arg(100)->Arg(300)->UseManualTime()->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
