#include "platform/audio_output.h"

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

int PcmFormat::BytesPerSecond() const { return sampleRate * channels * (bitsPerSample / 8); }

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
