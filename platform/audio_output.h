#pragma once
// Wave output behind the engine's device object. One buffer at a time: the
// backend plays it and then calls the done callback, from its own thread or
// (null backend) at once.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace lirvan {

enum class AudioBackendKind { Default, Null, Clocked };

// "default", "null" or "clocked"; false for any other name.
bool ParseAudioBackend(std::string_view name, AudioBackendKind& kind);

// Sound in pieces, to be taken as if joined end to end.
using SoundPieces = std::span<const std::span<const std::uint8_t>>;

struct PcmFormat {
  int bitsPerSample = 16;
  int sampleRate = 22050;
  int channels = 1;
  int BytesPerSecond() const;
};

class AudioOutput {
 public:
  using DoneCallback = std::function<void()>;
  virtual ~AudioOutput() = default;

  // Starts playing the bytes, which stay valid until done is called or
  // Reset returns. Returns 0, or an error code; on error done is not called.
  virtual int Write(const std::uint8_t* bytes, std::size_t length) = 0;
  // Cuts the buffer being played; done is called for it before this returns.
  virtual void Reset() = 0;
};

// Never fails: when the default device cannot be opened, the result plays
// silently and reports every buffer done at once.
std::unique_ptr<AudioOutput> OpenAudioOutput(AudioBackendKind kind, const PcmFormat& format,
                                             AudioOutput::DoneCallback done);

std::unique_ptr<AudioOutput> MakeNullAudio(AudioOutput::DoneCallback done);
std::unique_ptr<AudioOutput> MakeClockedAudio(const PcmFormat& format,
                                              AudioOutput::DoneCallback done);
// Nothing when no device can be opened.
std::unique_ptr<AudioOutput> MakePortAudioOutput(const PcmFormat& format,
                                                 AudioOutput::DoneCallback done);

}  // namespace lirvan
