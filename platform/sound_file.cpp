#include "platform/sound_file.h"

#include <algorithm>
#include <cctype>

#include "platform/wave_file.h"

namespace lirvan {

bool SoundFileWriter::WritePieces(SoundPieces pieces) {
  bool ok = true;
  for (const auto piece : pieces) ok = ok && Write(piece);
  return ok;
}

std::optional<SoundFileKind> SoundFileKindOf(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".wav") return SoundFileKind::Wave;
  if (extension == ".flac") return SoundFileKind::Flac;
  if (extension == ".ogg") return SoundFileKind::Ogg;
  return std::nullopt;
}

std::unique_ptr<SoundFileWriter> OpenSoundFile(const std::filesystem::path& path,
                                               const PcmFormat& format, std::string& error) {
  const std::optional<SoundFileKind> kind = SoundFileKindOf(path);
  if (!kind) {
    error = "a sound file ends in .wav, .flac or .ogg: " + path.string();
    return nullptr;
  }
  if (*kind != SoundFileKind::Wave) return OpenEncodedSoundFile(path, *kind, format, error);
  const auto frame = static_cast<std::size_t>(std::max(format.channels * (format.bitsPerSample / 8), 1));
  auto wave = std::make_unique<WaveFileWriter>(path, CanonicalWaveHeader(format), frame);
  if (!wave->Open()) {
    error = "cannot write " + path.string();
    return nullptr;
  }
  return wave;
}

}  // namespace lirvan
