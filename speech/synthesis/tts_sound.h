#pragma once
// The wave output device of the engine: plays one buffer at a time and
// returns when it has been played.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"
#include "speech/synthesis/sound_output.h"

namespace lirvan {

class TTSSound final : public SoundOutput {
 public:
  explicit TTSSound(AudioBackendKind backend);
  ~TTSSound() override;
  TTSSound(const TTSSound&) = delete;
  TTSSound& operator=(const TTSSound&) = delete;

  // A format no device can play (a damaged sound file) still gives a
  // working, silent device, so the engine never hangs.
  void Open(const PcmFormat& format) override;
  // Plays the bytes (kept by the caller) and returns when the device is
  // done with them; 0, or the device's error code.
  int Play(std::span<const std::uint8_t> sound) override;
  // Joined in one buffer kept from token to token: the device plays one.
  int PlayPieces(SoundPieces pieces) override;
  bool IsPlaying() const override;
  void WaitUntilIdle() const override;
  // Returns the buffer on the device at once, marked done.
  void Reset() override;

 private:
  void Done();
  int PlayLocked(std::span<const std::uint8_t> sound);

  AudioBackendKind backend_;
  mutable std::mutex lock_;   // guards the setting of playing
  std::mutex deviceMutex_;    // one buffer on the device at a time
  std::atomic<int> playing_{0};
  std::vector<std::uint8_t> joined_;  // the token played, under deviceMutex_
  std::unique_ptr<AudioOutput> output_;  // last: its thread calls Done()
};

}  // namespace lirvan
