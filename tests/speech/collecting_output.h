#pragma once
// An output for engine tests: keeps every sound handed to it, paced by a
// real backend (null: done at once; clocked: a device's playing time), so
// a test waits for "N tokens played" instead of sleeping.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "speech/synthesis/tts_sound.h"

namespace lirvan::testing {

class CollectingOutput final : public SoundOutput {
 public:
  explicit CollectingOutput(AudioBackendKind pace = AudioBackendKind::Null) : device_(pace) {}

  void Open(const PcmFormat& format) override { device_.Open(format); }
  int Play(std::span<const std::uint8_t> sound) override {
    {
      std::lock_guard lock(mutex_);
      if (!failure_.empty()) throw std::runtime_error(failure_);
      sounds_.emplace_back(sound.begin(), sound.end());
    }
    changed_.notify_all();
    const int result = device_.Play(sound);
    {
      std::lock_guard lock(mutex_);
      ++finished_;
    }
    changed_.notify_all();
    return result;
  }
  bool IsPlaying() const override { return device_.IsPlaying(); }
  void WaitUntilIdle() const override { device_.WaitUntilIdle(); }
  void Reset() override { device_.Reset(); }

  // Every later Play throws with this message, as a failing device might.
  void FailWith(std::string message) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(message);
  }
  // Waits until n sounds have been handed over; false when the time runs out.
  bool WaitForStarted(std::size_t n, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return sounds_.size() >= n; });
  }
  std::size_t Started() const {
    std::lock_guard lock(mutex_);
    return sounds_.size();
  }
  // Sounds whose Play has returned.
  std::size_t Finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
  }
  std::vector<std::vector<std::uint8_t>> Sounds() const {
    std::lock_guard lock(mutex_);
    return sounds_;
  }

 private:
  TTSSound device_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::vector<std::uint8_t>> sounds_;
  std::size_t finished_ = 0;
  std::string failure_;
};

}  // namespace lirvan::testing
