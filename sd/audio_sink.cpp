#include "sd/audio_sink.h"

#include <sonic.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "speech/synthesis/tts_sound.h"
#include "speech/synthesis/volume.h"

namespace lirvan::sd {
namespace {

// 0 and above: the voice as recorded (louder would clip); below, softer.
std::uint32_t EngineVolume(int volume) {
  if (volume >= 0) return kFullVolume;
  const auto channel = static_cast<std::uint32_t>(0xFFFF * (volume + 100) / 100);
  return channel | (channel << 16);
}

// -100..100 to an octave down or up.
float PitchFactor(int pitch) { return static_cast<float>(std::pow(2.0, std::clamp(pitch, -100, 100) / 100.0)); }

}  // namespace

void AudioSink::StreamDeleter::operator()(sonicStreamStruct* stream) const { sonicDestroyStream(stream); }

AudioSink::AudioSink(AudioMethod method, EventWriter& events) : method_(method), events_(events) {}

AudioSink::~AudioSink() = default;

void AudioSink::Open(const PcmFormat& format) {
  format_ = format;
  if (method_ != AudioMethod::Server) {
    device_ = std::make_unique<TTSSound>(method_ == AudioMethod::Silent ? AudioBackendKind::Null
                                                                         : AudioBackendKind::Default);
    device_->Open(format);
  }
  if (format.bitsPerSample == 16) stream_.reset(sonicCreateStream(format.sampleRate, format.channels));
}

void AudioSink::SetVoice(int volume, int pitch) {
  volume_.store(volume);
  pitch_.store(pitch);
}

// The sound after volume and pitch; the input itself when both are the
// voice's own.
std::span<const std::uint8_t> AudioSink::Shape(std::span<const std::uint8_t> sound) {
  const int pitch = pitch_.load();
  std::span<const std::uint8_t> out = sound;
  if (pitch != 0 && stream_ && sound.size() >= 2) {
    sonicStream stream = stream_.get();
    sonicSetPitch(stream, PitchFactor(pitch));
    const std::size_t frames = sound.size() / 2 / static_cast<std::size_t>(format_.channels);
    shorts_.resize(frames * static_cast<std::size_t>(format_.channels));
    std::memcpy(shorts_.data(), sound.data(), shorts_.size() * 2);
    if (sonicWriteShortToStream(stream, shorts_.data(), static_cast<int>(frames)) != 0 &&
        sonicFlushStream(stream) != 0) {
      const int available = sonicSamplesAvailable(stream);
      shorts_.resize(static_cast<std::size_t>(available * format_.channels));
      const int read = sonicReadShortFromStream(stream, shorts_.data(), available);
      shaped_.resize(static_cast<std::size_t>(std::max(read, 0) * format_.channels) * 2);
      std::memcpy(shaped_.data(), shorts_.data(), shaped_.size());
      out = shaped_;
    }
  }
  const std::uint32_t volume = EngineVolume(volume_.load());
  if (volume != kFullVolume) {
    if (out.data() != shaped_.data()) shaped_.assign(out.begin(), out.end());
    ApplyVolume(shaped_, format_, volume);
    out = shaped_;
  }
  return out;
}

int AudioSink::Play(std::span<const std::uint8_t> sound) {
  std::lock_guard playing(playMutex_);
  if (cut_.load() || sound.empty()) return 0;
  const std::span<const std::uint8_t> shaped = Shape(sound);
  handed_.fetch_add(shaped.size());
  if (method_ == AudioMethod::Server) {
    events_.Audio(format_, shaped);
    return 0;
  }
  return device_ ? device_->Play(shaped) : 0;
}

std::size_t AudioSink::FramesIn(int milliseconds) const {
  return static_cast<std::size_t>(format_.sampleRate) * static_cast<std::size_t>(std::max(milliseconds, 0)) / 1000;
}

void AudioSink::PlaySilence(std::size_t frames) {
  const std::size_t frame = static_cast<std::size_t>(format_.channels * format_.bitsPerSample / 8);
  if (frame == 0 || frames == 0) return;
  const std::vector<std::uint8_t> silence(frames * frame, format_.bitsPerSample == 8 ? 0x80 : 0);
  Play(silence);
}

bool AudioSink::IsPlaying() const { return device_ && device_->IsPlaying(); }

void AudioSink::WaitUntilIdle() const {
  if (device_) device_->WaitUntilIdle();
}

void AudioSink::Reset() {
  if (device_) device_->Reset();
}

// A Play that saw no cut may be just handing its sound on: the device is
// cut again until that Play has let go, so nothing plays past the cut.
void AudioSink::Cut() {
  cut_.store(true);
  constexpr auto kPoll = std::chrono::microseconds(200);
  for (Reset(); !playMutex_.try_lock(); Reset()) std::this_thread::sleep_for(kPoll);
  playMutex_.unlock();
}

void AudioSink::Reopen() { cut_.store(false); }

}  // namespace lirvan::sd
