#pragma once
// The wave output device of the engine: plays one buffer at a time and
// returns when it has been played; volume applied in software.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_output.h"

namespace lirvan {

class TTSSound {
 public:
  TTSSound(int bitsPerSample, int sampleRate, int channels, AudioBackendKind backend);
  ~TTSSound();
  TTSSound(const TTSSound&) = delete;
  TTSSound& operator=(const TTSSound&) = delete;

  // Plays the bytes (kept by the caller) and returns when the device is
  // done with them; 0, or the device's error code.
  int Play(const std::uint8_t* bytes, std::size_t length);
  bool IsPlaying() const;
  // Blocks, without spinning, until no buffer is on the device.
  void WaitUntilIdle() const;
  // Returns the buffer on the device at once, marked done.
  void Reset();
  bool ResetDone() const { return resetDone_.load(); }

  // Left channel in the low 16 bits, right channel in the high 16 bits.
  std::uint32_t GetVolume() const { return volume_.load(); }
  void SetVolume(std::uint32_t value) { volume_.store(value); }

 private:
  void Done();
  const std::uint8_t* Scaled(const std::uint8_t* bytes, std::size_t length);

  PcmFormat format_;
  mutable std::mutex lock_;   // guards the setting of playing
  std::mutex deviceMutex_;    // one buffer on the device at a time
  std::atomic<int> resetDone_{0};
  std::atomic<int> playing_{0};
  std::atomic<std::uint32_t> volume_{0xFFFFFFFFu};
  std::vector<std::uint8_t> scaled_;
  std::unique_ptr<AudioOutput> output_;  // last: its thread calls Done()
};

// Each channel tripled, held at the maximum.
std::uint32_t TripleVolume(std::uint32_t volume);

}  // namespace lirvan
