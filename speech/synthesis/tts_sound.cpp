#include "speech/synthesis/tts_sound.h"

#include <algorithm>
#include <cstring>

#include "platform/trace.h"

namespace lirvan {
namespace {

bool UsableFormat(const PcmFormat& f) {
  return (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.channels >= 1 && f.channels <= 8 &&
         f.sampleRate >= 1000 && f.sampleRate <= 384000;
}

}  // namespace

std::uint32_t TripleVolume(std::uint32_t volume) {
  auto triple = [](std::uint32_t channel) { return std::min<std::uint32_t>(channel * 3, 0xFFFF); };
  return triple(volume & 0xFFFF) | (triple(volume >> 16) << 16);
}

TTSSound::TTSSound(int bitsPerSample, int sampleRate, int channels, AudioBackendKind backend)
    : format_{bitsPerSample, sampleRate, channels} {
  // A header that no device can play (a damaged sound file) still gives a
  // working, silent device, so the engine never hangs.
  if (!UsableFormat(format_)) backend = AudioBackendKind::Null;
  output_ = OpenAudioOutput(backend, format_, [this] { Done(); });
}

TTSSound::~TTSSound() {
  Trace("Delete TTSSound \n");
  Trace("Exit sound \n");
  WaitUntilIdle();
  output_.reset();
}

void TTSSound::Done() {
  playing_.store(0);
  playing_.notify_all();
}

int TTSSound::Play(const std::uint8_t* bytes, std::size_t length) {
  std::lock_guard device(deviceMutex_);
  {
    std::lock_guard lock(lock_);
    playing_.store(1);
  }
  const int error = output_->Write(Scaled(bytes, length), length);
  if (error != 0) {
    Done();  // a failed write leaves the device idle, so later waits end
    return error;
  }
  WaitUntilIdle();
  return 0;
}

const std::uint8_t* TTSSound::Scaled(const std::uint8_t* bytes, std::size_t length) {
  const std::uint32_t volume = volume_.load();
  if (volume == 0xFFFFFFFFu || length == 0) return bytes;
  scaled_.assign(bytes, bytes + length);
  const std::uint32_t gains[2] = {volume & 0xFFFF, volume >> 16};
  const int channels = format_.channels;
  if (format_.bitsPerSample == 16) {
    const std::size_t samples = length / 2;
    for (std::size_t i = 0; i < samples; ++i) {
      const std::uint32_t gain = gains[channels >= 2 ? (i % 2) : 0];
      std::int16_t s;
      std::memcpy(&s, &scaled_[2 * i], 2);
      s = static_cast<std::int16_t>(static_cast<std::int32_t>(s) * static_cast<std::int32_t>(gain) / 0xFFFF);
      std::memcpy(&scaled_[2 * i], &s, 2);
    }
  } else {
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint32_t gain = gains[channels >= 2 ? (i % 2) : 0];
      const int centred = static_cast<int>(scaled_[i]) - 128;
      scaled_[i] = static_cast<std::uint8_t>(centred * static_cast<int>(gain) / 0xFFFF + 128);
    }
  }
  return scaled_.data();
}

bool TTSSound::IsPlaying() const {
  std::lock_guard lock(lock_);
  return playing_.load() == 1;
}

void TTSSound::WaitUntilIdle() const {
  for (int value = playing_.load(); value == 1; value = playing_.load()) playing_.wait(value);
}

void TTSSound::Reset() {
  resetDone_.store(1);
  output_->Reset();
}

}  // namespace lirvan
