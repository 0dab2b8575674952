#include "platform/audio_output.h"

#include <cstdint>
#include <limits>

namespace lirvan {

bool ParseAudioBackend(std::string_view name, AudioBackendKind& kind) {
  if (name == "default") {
    kind = AudioBackendKind::Default;
  } else if (name == "null") {
    kind = AudioBackendKind::Null;
  } else if (name == "clocked") {
    kind = AudioBackendKind::Clocked;
  } else {
    return false;
  }
  return true;
}

// A damaged file's header can give any numbers: a rate that does not fit
// is 0, which callers treat as unusable.
int PcmFormat::BytesPerSecond() const {
  const std::int64_t rate = std::int64_t{sampleRate} * channels * (bitsPerSample / 8);
  return rate > 0 && rate <= std::numeric_limits<int>::max() ? static_cast<int>(rate) : 0;
}

std::unique_ptr<AudioOutput> OpenAudioOutput(AudioBackendKind kind, const PcmFormat& format,
                                             AudioOutput::DoneCallback done) {
  switch (kind) {
    case AudioBackendKind::Null:
      return MakeNullAudio(std::move(done));
    case AudioBackendKind::Clocked:
      return MakeClockedAudio(format, std::move(done));
    case AudioBackendKind::Default:
      break;
  }
  if (auto device = MakePortAudioOutput(format, done)) return device;
  return MakeNullAudio(std::move(done));
}

}  // namespace lirvan
