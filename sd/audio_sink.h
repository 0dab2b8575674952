#pragma once
// Where the engine hands the module's sound: to the server in audio events,
// or to our own audio device, after the message's volume and pitch. A cut
// (STOP) takes effect at once: nothing more is handed on until the next
// message opens the sink again.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/audio_output.h"
#include "sd/event_writer.h"
#include "sd/settings.h"
#include "speech/synthesis/sound_output.h"

struct sonicStreamStruct;

namespace lirvan::sd {

class AudioSink final : public SoundOutput {
 public:
  AudioSink(AudioMethod method, EventWriter& events);
  ~AudioSink() override;
  AudioSink(const AudioSink&) = delete;
  AudioSink& operator=(const AudioSink&) = delete;

  void Open(const PcmFormat& format) override;
  int Play(std::span<const std::uint8_t> sound) override;
  bool IsPlaying() const override;
  void WaitUntilIdle() const override;
  void Reset() override;

  // Frames of sound in the given time, in the voice's format.
  std::size_t FramesIn(int milliseconds) const;
  // Silence of the given number of frames, handed on like sound.
  void PlaySilence(std::size_t frames);
  // The server's volume and pitch (-100..100) for what is handed on next.
  void SetVoice(int volume, int pitch);
  // Stops handing on sound at once (an event being written is finished,
  // so the server never sees half of one); Reopen undoes it.
  void Cut();
  void Reopen();
  // Bytes handed on since the start (for tests and timing).
  std::uint64_t BytesHandedOn() const { return handed_.load(); }
  const PcmFormat& format() const { return format_; }
  AudioMethod method() const { return method_; }

 private:
  struct StreamDeleter {
    void operator()(sonicStreamStruct* stream) const;
  };
  std::span<const std::uint8_t> Shape(std::span<const std::uint8_t> sound);

  const AudioMethod method_;
  EventWriter& events_;
  PcmFormat format_{};
  std::unique_ptr<SoundOutput> device_;  // own playback only
  std::mutex playMutex_;                 // one sound at a time; the cut waits for it
  std::atomic<bool> cut_{false};
  std::atomic<std::uint64_t> handed_{0};
  std::atomic<int> volume_{0};
  std::atomic<int> pitch_{0};
  std::unique_ptr<sonicStreamStruct, StreamDeleter> stream_;
  std::vector<std::uint8_t> shaped_;
  std::vector<short> shorts_;
};

}  // namespace lirvan::sd
