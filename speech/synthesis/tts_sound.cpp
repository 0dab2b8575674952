#include "speech/synthesis/tts_sound.h"

#include "platform/trace.h"
#include "speech/synthesis/error_hook.h"

namespace lirvan {
namespace {

bool UsableFormat(const PcmFormat& f) {
  return (f.bitsPerSample == 8 || f.bitsPerSample == 16) && f.channels >= 1 && f.channels <= 8 &&
         f.sampleRate >= 1000 && f.sampleRate <= 384000;
}

}  // namespace

TTSSound::TTSSound(AudioBackendKind backend) : backend_(backend) {}

TTSSound::~TTSSound() {
  Trace("Delete TTSSound \n");
  Trace("Exit sound \n");
  WaitUntilIdle();
  output_.reset();
}

void TTSSound::Open(const PcmFormat& format) {
  const AudioBackendKind backend = UsableFormat(format) ? backend_ : AudioBackendKind::Null;
  output_ = OpenAudioOutput(backend, format, [this] { Done(); });
}

void TTSSound::Done() {
  playing_.store(0);
  playing_.notify_all();
}

int TTSSound::Play(std::span<const std::uint8_t> sound) {
  std::lock_guard device(deviceMutex_);
  return PlayLocked(sound);
}

int TTSSound::PlayPieces(SoundPieces pieces) {
  std::lock_guard device(deviceMutex_);
  if (!JoinPieces(pieces, joined_)) return kErrorOutOfMemory;
  return PlayLocked(joined_);
}

int TTSSound::PlayLocked(std::span<const std::uint8_t> sound) {
  if (!output_) return 1;  // never opened
  {
    std::lock_guard lock(lock_);
    playing_.store(1);
  }
  const int error = output_->Write(sound.data(), sound.size());
  if (error != 0) {
    Done();  // a failed write leaves the device idle, so later waits end
    return error;
  }
  WaitUntilIdle();
  return 0;
}

bool TTSSound::IsPlaying() const {
  std::lock_guard lock(lock_);
  return playing_.load() == 1;
}

void TTSSound::WaitUntilIdle() const {
  for (int value = playing_.load(); value == 1; value = playing_.load()) playing_.wait(value);
}

void TTSSound::Reset() {
  if (output_) output_->Reset();
}

}  // namespace lirvan
