// The speaking rate's cost and the silence of Stop, with the generated
// voice on the clocked device: from Speak to the first buffer at 100% and
// 300%, and from Stop in the middle of a long word to the moment the
// device has let go of its buffer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

const char* const kSentence =
    "Bug\xFCn hava \xE7ok g\xFCzel, d\xFC\xFE\xFCnd\xFC\xF0\xFCm\xFCzden de ho\xFE.";
// "Çekoslovakyalılaştıramadıklarımızdanmışsınızcasına": seconds of speech.
const char* const kLongWord =
    "\xC7" "ekoslovakyal\xFDla\xFEt\xFDramad\xFDklar\xFDm\xFDzdanm\xFD\xFEs\xFDn\xFDzcas\xFDna";

// From Speak to the first token's buffer on the device; the argument is
// the rate.
void BM_FirstBufferLatency(benchmark::State& state) {
  WatchedDevice device;
  SpeechEngine engine({.audio = AudioBackendKind::Clocked, .home = bench::VoiceHome(),
                       .output = &device, .rate = static_cast<int>(state.range(0)),
                       .keepRecording = false});
  for (auto _ : state) {
    const int before = device.Started();
    const auto start = Clock::now();
    engine.Speak(kSentence);
    while (device.Started() == before) std::this_thread::yield();
    state.SetIterationTime(Seconds(device.LastStart() - start));
    engine.Stop();
  }
}
BENCHMARK(BM_FirstBufferLatency)->Arg(100)->Arg(300)->UseManualTime()->Iterations(1000)
    ->Unit(benchmark::kMicrosecond)->ComputeStatistics("median", Median);

// Stop 30 ms into a long word: the time until the device gave its buffer
// back (silence), and until Stop returned; the argument is the rate.
void BM_StopLongWordToSilence(benchmark::State& state) {
  WatchedDevice device;
  SpeechEngine engine({.audio = AudioBackendKind::Clocked, .home = bench::VoiceHome(),
                       .output = &device, .rate = static_cast<int>(state.range(0)),
                       .keepRecording = false});
  std::vector<double> returned;
  for (auto _ : state) {
    const int before = device.Started();
    engine.Speak(kLongWord);
    while (device.Started() == before) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const auto start = Clock::now();
    engine.Stop();
    returned.push_back(Seconds(Clock::now() - start));
    state.SetIterationTime(Seconds(device.LastRelease() - start));
  }
  state.counters["stop_returned_median_ms"] = Median(returned) * 1000;
}
BENCHMARK(BM_StopLongWordToSilence)->Arg(100)->Arg(300)->UseManualTime()->Iterations(200)
    ->Unit(benchmark::kMillisecond)->ComputeStatistics("median", Median);

}  // namespace
}  // namespace lirvan

BENCHMARK_MAIN();
