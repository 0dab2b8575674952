#include "speech/synthesis/rate_output.h"

#include <sonic.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "speech/synthesis/error_hook.h"

namespace lirvan {

int ClampRate(int percent) { return std::clamp(percent, kMinRate, kMaxRate); }

void RateOutput::StreamDeleter::operator()(sonicStreamStruct* stream) const {
  sonicDestroyStream(stream);
}

RateOutput::RateOutput(SoundOutput& next, int percent) : next_(next), rate_(ClampRate(percent)) {}

RateOutput::~RateOutput() = default;

void RateOutput::SetRate(int percent) { rate_.store(ClampRate(percent)); }

void RateOutput::Open(const PcmFormat& format) {
  format_ = format;
  next_.Open(format);
  const bool sonicTakesIt = (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                            format.channels >= 1 && format.channels <= 8 &&
                            format.sampleRate >= 1000 && format.sampleRate <= 384000;
  if (sonicTakesIt) stream_.reset(sonicCreateStream(format.sampleRate, format.channels));
}

int RateOutput::Play(std::span<const std::uint8_t> sound) {
  const int percent = rate_.load();
  std::lock_guard lock(mutex_);
  if (percent == kNormalRate || !stream_ || !Stretch(sound, percent)) return next_.Play(sound);
  return next_.Play(stretched_);
}

int RateOutput::PlayPieces(SoundPieces pieces) {
  const int percent = rate_.load();
  std::lock_guard lock(mutex_);
  if (percent == kNormalRate || !stream_) return next_.PlayPieces(pieces);
  if (!JoinPieces(pieces, joined_)) return kErrorOutOfMemory;
  if (!Stretch(joined_, percent)) return next_.Play(joined_);
  return next_.Play(stretched_);
}

// The token goes through the stream whole and is flushed at its end: it
// ends in its pause, so the flush cuts no speech. The samples are written
// and read back in one buffer of the sample type Sonic takes.
bool RateOutput::Stretch(std::span<const std::uint8_t> sound, int percent) {
  sonicStream stream = stream_.get();
  sonicSetSpeed(stream, static_cast<float>(percent) / 100.0f);
  const auto channels = static_cast<std::size_t>(format_.channels);
  const bool eightBit = format_.bitsPerSample == 8;
  const std::size_t frameBytes = channels * (eightBit ? 1 : 2);
  const std::size_t frames = sound.size() / frameBytes;
  if (frames == 0 || frames > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  try {
    int written = 0;
    if (eightBit) {
      bytes_.assign(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(frames * frameBytes));
      written = sonicWriteUnsignedCharToStream(stream, bytes_.data(), static_cast<int>(frames));
    } else {
      shorts_.resize(frames * channels);
      std::memcpy(shorts_.data(), sound.data(), frames * frameBytes);
      written = sonicWriteShortToStream(stream, shorts_.data(), static_cast<int>(frames));
    }
    if (written == 0 || sonicFlushStream(stream) == 0) {
      ReportEngineError(kErrorOutOfMemory);
      return false;
    }
    const int available = sonicSamplesAvailable(stream);
    const auto room = static_cast<std::size_t>(std::max(available, 0)) * channels;
    int read = 0;
    if (eightBit) {
      bytes_.resize(room);
      read = sonicReadUnsignedCharFromStream(stream, bytes_.data(), available);
      stretched_ = std::span<const std::uint8_t>(bytes_.data(), static_cast<std::size_t>(read) * frameBytes);
    } else {
      shorts_.resize(room);
      read = sonicReadShortFromStream(stream, shorts_.data(), available);
      stretched_ = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(shorts_.data()),
                                                 static_cast<std::size_t>(read) * frameBytes);
    }
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
    return false;
  }
  return true;
}

}  // namespace lirvan
