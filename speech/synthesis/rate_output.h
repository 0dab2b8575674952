#pragma once
// The speaking rate: a stage before another output that plays each token's
// sound faster or slower, its pause included, by time-scale modification
// (Sonic), so the pitch and the voice stay as recorded.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "speech/synthesis/sound_output.h"

struct sonicStreamStruct;

namespace lirvan {

inline constexpr int kMinRate = 50;
inline constexpr int kNormalRate = 100;
inline constexpr int kMaxRate = 400;

// The rate held within kMinRate..kMaxRate.
int ClampRate(int percent);

class RateOutput final : public SoundOutput {
 public:
  // next: takes the sound at the rate; not owned, outlives this stage.
  explicit RateOutput(SoundOutput& next, int percent = kNormalRate);
  ~RateOutput() override;
  RateOutput(const RateOutput&) = delete;
  RateOutput& operator=(const RateOutput&) = delete;

  // Applies from the next token on; clamped. Any thread.
  void SetRate(int percent);
  int Rate() const { return rate_.load(); }

  void Open(const PcmFormat& format) override;
  // At 100% the sound goes on untouched; sound in a format Sonic does not
  // take (neither 8 nor 16 bits) too.
  int Play(std::span<const std::uint8_t> sound) override;
  // At 100% the pieces go on as they are; otherwise they are joined and
  // stretched as one sound.
  int PlayPieces(SoundPieces pieces) override;
  bool IsPlaying() const override { return next_.IsPlaying(); }
  void WaitUntilIdle() const override { next_.WaitUntilIdle(); }
  void Reset() override { next_.Reset(); }

 private:
  struct StreamDeleter {
    void operator()(sonicStreamStruct* stream) const;
  };
  bool Stretch(std::span<const std::uint8_t> sound, int percent);

  SoundOutput& next_;
  std::atomic<int> rate_;
  PcmFormat format_{};
  std::mutex mutex_;  // one token through the stream at a time
  std::unique_ptr<sonicStreamStruct, StreamDeleter> stream_;
  // The token's samples, in and out of the stream; stretched_ views them.
  std::vector<short> shorts_;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint8_t> joined_;  // pieces played at another rate
  std::span<const std::uint8_t> stretched_;
};

}  // namespace lirvan
