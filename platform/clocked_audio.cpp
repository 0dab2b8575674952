#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/audio_output.h"

namespace lirvan {
namespace {

// Plays nothing; a worker reports each buffer done after its real playing
// time, so timing tests see the pace of a real device.
class ClockedAudio final : public AudioOutput {
  using Clock = std::chrono::steady_clock;

 public:
  ClockedAudio(const PcmFormat& format, DoneCallback done)
      : bytesPerSecond_(format.BytesPerSecond() > 0 ? format.BytesPerSecond() : 1),
        done_(std::move(done)),
        worker_([this](std::stop_token stop) { Loop(stop); }) {}

  ~ClockedAudio() override {
    {
      // Under the lock, so the worker cannot miss the request between its
      // check and its wait.
      std::lock_guard lock(mutex_);
      worker_.request_stop();
    }
    wake_.notify_all();
  }

  int Write(const std::uint8_t*, std::size_t length) override {
    const auto micros = static_cast<long long>(length) * 1'000'000 / bytesPerSecond_;
    {
      std::lock_guard lock(mutex_);
      deadline_ = Clock::now() + std::chrono::microseconds(micros);
      busy_ = true;
    }
    wake_.notify_all();
    return 0;
  }

  void Reset() override {
    bool wasBusy = false;
    {
      std::lock_guard lock(mutex_);
      wasBusy = busy_;
      busy_ = false;
    }
    wake_.notify_all();
    if (wasBusy) done_();
  }

 private:
  void Loop(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
      if (!busy_) {
        wake_.wait(lock, [&] { return busy_ || stop.stop_requested(); });
        continue;
      }
      const auto deadline = deadline_;
      if (wake_.wait_until(lock, deadline, [&] { return !busy_ || stop.stop_requested(); })) {
        continue;  // reset, a new buffer, or shutting down
      }
      if (busy_ && deadline_ == deadline) {
        busy_ = false;
        lock.unlock();
        done_();
        lock.lock();
      }
    }
  }

  const int bytesPerSecond_;
  DoneCallback done_;
  std::mutex mutex_;
  std::condition_variable wake_;
  Clock::time_point deadline_{};
  bool busy_ = false;
  std::jthread worker_;  // last: starts after the members it uses
};

}  // namespace

std::unique_ptr<AudioOutput> MakeClockedAudio(const PcmFormat& format,
                                              AudioOutput::DoneCallback done) {
  return std::make_unique<ClockedAudio>(format, std::move(done));
}

}  // namespace lirvan
