#pragma once
// Sound written to a file as it is produced: a WAVE file written directly,
// FLAC and Ogg Vorbis through libsndfile, chosen by the file's extension.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace lirvan {

enum class SoundFileKind { Wave, Flac, Ogg };

// By extension (.wav, .flac, .ogg, any case); nothing for any other.
std::optional<SoundFileKind> SoundFileKindOf(const std::filesystem::path& path);

class SoundFileWriter {
 public:
  virtual ~SoundFileWriter() = default;
  // PCM bytes in the format the file was opened with; false once writing
  // has failed (later calls then write nothing).
  virtual bool Write(std::span<const std::uint8_t> pcm) = 0;
  // The pieces in order, as if joined; by default one Write each.
  virtual bool WritePieces(SoundPieces pieces);
  // Completes the file (sizes in the header, encoder flushed) and closes
  // it; false when that or any write failed.
  virtual bool Finish() = 0;
  // The files written, in order: a WAVE file that reaches the format's size
  // limit goes on in NAME-2.wav, NAME-3.wav ...
  virtual std::vector<std::filesystem::path> Files() const = 0;
};

// Creates the file (replacing one that exists). Nothing, with a one-line
// reason in `error`, when the extension is not one of the three or the
// file cannot be created.
std::unique_ptr<SoundFileWriter> OpenSoundFile(const std::filesystem::path& path,
                                               const PcmFormat& format, std::string& error);

// libsndfile's writer for FLAC and Ogg Vorbis; nothing when it refuses.
std::unique_ptr<SoundFileWriter> OpenEncodedSoundFile(const std::filesystem::path& path,
                                                      SoundFileKind kind, const PcmFormat& format,
                                                      std::string& error);

}  // namespace lirvan
