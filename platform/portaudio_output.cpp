#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>

#include "platform/audio_output.h"
#include "platform/shared_library.h"
#include "platform/trace.h"

namespace lirvan {
namespace {

// PortAudio's functions, from the library loaded when the first device is
// opened (it brings ALSA and JACK with it).
struct PortAudio {
  decltype(&Pa_Initialize) initialize = nullptr;
  decltype(&Pa_Terminate) terminate = nullptr;
  decltype(&Pa_OpenDefaultStream) openDefaultStream = nullptr;
  decltype(&Pa_SetStreamFinishedCallback) setStreamFinishedCallback = nullptr;
  decltype(&Pa_StartStream) startStream = nullptr;
  decltype(&Pa_StopStream) stopStream = nullptr;
  decltype(&Pa_AbortStream) abortStream = nullptr;
  decltype(&Pa_CloseStream) closeStream = nullptr;
};

// Nothing when the library or one of its functions is missing: then no
// device can be opened, as when there is none.
const PortAudio* LoadPortAudio() {
  static const std::optional<PortAudio> api = []() -> std::optional<PortAudio> {
    static SharedLibrary library("libportaudio.so.2");
    PortAudio pa;
    const bool bound = library.Bind(pa.initialize, "Pa_Initialize") &&
                       library.Bind(pa.terminate, "Pa_Terminate") &&
                       library.Bind(pa.openDefaultStream, "Pa_OpenDefaultStream") &&
                       library.Bind(pa.setStreamFinishedCallback, "Pa_SetStreamFinishedCallback") &&
                       library.Bind(pa.startStream, "Pa_StartStream") &&
                       library.Bind(pa.stopStream, "Pa_StopStream") &&
                       library.Bind(pa.abortStream, "Pa_AbortStream") &&
                       library.Bind(pa.closeStream, "Pa_CloseStream");
    if (!bound) return std::nullopt;
    return pa;
  }();
  return api ? &*api : nullptr;
}

// JACK and ALSA print probing noise on standard error while PortAudio
// starts; the user of a terminal program should not read it.
class QuietStderr {
 public:
  QuietStderr() : saved_(TraceEnabled() ? -1 : dup(STDERR_FILENO)) {
    if (saved_ < 0) return;
    const int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devnull >= 0) {
      dup2(devnull, STDERR_FILENO);
      close(devnull);
    }
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_;
};

// The stream is started per buffer and completes at its end, so the done
// report comes when the device has really played the last frame, and the
// device is not held while the engine is silent.
class PortAudioOutput final : public AudioOutput {
 public:
  PortAudioOutput(const PortAudio& pa, const PcmFormat& format, DoneCallback done)
      : pa_(pa),
        frameBytes_(static_cast<std::size_t>(format.channels * (format.bitsPerSample / 8))),
        silence_(format.bitsPerSample == 8 ? 0x80 : 0),
        done_(std::move(done)) {}

  ~PortAudioOutput() override {
    if (stream_ != nullptr) {
      pa_.abortStream(stream_);
      pa_.closeStream(stream_);
    }
    if (initialised_) pa_.terminate();
  }

  bool Open(const PcmFormat& format) {
    QuietStderr quiet;
    if (pa_.initialize() != paNoError) return false;
    initialised_ = true;
    const PaSampleFormat sample = format.bitsPerSample == 8 ? paUInt8 : paInt16;
    if (frameBytes_ == 0 || (format.bitsPerSample != 8 && format.bitsPerSample != 16)) return false;
    if (pa_.openDefaultStream(&stream_, 0, format.channels, sample, format.sampleRate,
                             paFramesPerBufferUnspecified, &PortAudioOutput::Callback,
                             this) != paNoError) {
      stream_ = nullptr;
      return false;
    }
    pa_.setStreamFinishedCallback(stream_, &PortAudioOutput::Finished);
    return true;
  }

  int Write(const std::uint8_t* bytes, std::size_t length) override {
    pa_.stopStream(stream_);  // a completed stream must be stopped before it restarts
    bytes_.store(bytes);
    length_.store(length);
    position_.store(0);
    busy_.store(true);
    if (pa_.startStream(stream_) != paNoError) {
      busy_.store(false);
      return 1;
    }
    return 0;
  }

  void Reset() override {
    pa_.abortStream(stream_);
    Complete();
  }

 private:
  static int Callback(const void*, void* output, unsigned long frames,
                      const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
    return static_cast<PortAudioOutput*>(self)->Fill(static_cast<std::uint8_t*>(output), frames);
  }
  static void Finished(void* self) { static_cast<PortAudioOutput*>(self)->Complete(); }

  int Fill(std::uint8_t* out, unsigned long frames) {
    const std::size_t want = frames * frameBytes_;
    const std::size_t pos = position_.load();
    const std::size_t left = length_.load() - pos;
    const std::size_t take = std::min(want, left);
    if (take > 0) std::memcpy(out, bytes_.load() + pos, take);
    // Silence for 8-bit unsigned is 0x80.
    std::memset(out + take, silence_, want - take);
    position_.store(pos + take);
    return pos + take >= length_.load() ? paComplete : paContinue;
  }

  void Complete() {
    if (busy_.exchange(false)) done_();
  }

  const PortAudio& pa_;
  const std::size_t frameBytes_;
  const int silence_;
  DoneCallback done_;
  PaStream* stream_ = nullptr;
  bool initialised_ = false;
  std::atomic<const std::uint8_t*> bytes_{nullptr};
  std::atomic<std::size_t> length_{0};
  std::atomic<std::size_t> position_{0};
  std::atomic<bool> busy_{false};
};

}  // namespace

std::unique_ptr<AudioOutput> MakePortAudioOutput(const PcmFormat& format,
                                                 AudioOutput::DoneCallback done) {
  const PortAudio* pa = LoadPortAudio();
  if (pa == nullptr) return nullptr;
  auto output = std::make_unique<PortAudioOutput>(*pa, format, std::move(done));
  if (!output->Open(format)) return nullptr;
  return output;
}

}  // namespace lirvan
