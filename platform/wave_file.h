#pragma once
// A WAVE file written as the sound comes: the 44-byte header first, the
// data after it, and both sizes set when the file is finished. The sizes
// are 32-bit, so a file never holds more data than they can count: past
// that the sound goes on in the next file (NAME-2.wav, NAME-3.wav ...),
// each with a header that tells its own length.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

#include "platform/audio_output.h"
#include "platform/sound_file.h"

namespace lirvan {

// The most data bytes a WAVE file can hold: its RIFF size (36 + data)
// must fit in 32 bits.
inline constexpr std::uint64_t kWaveDataLimit = 0xFFFFFFFFull - 36;

using WaveHeaderBytes = std::array<std::uint8_t, 44>;

// A canonical PCM header for the format, sizes 0.
WaveHeaderBytes CanonicalWaveHeader(const PcmFormat& format);
// The header with its RIFF size (36 + data) and data size set.
WaveHeaderBytes WithWaveSizes(WaveHeaderBytes header, std::uint32_t dataLength);

// The bytes a WAVE file is written in: whole pages at page boundaries of
// the file (the header included), which the kernel writes without reading
// or clearing any page twice; a token's sound is usually a few kilobytes
// at any offset.
inline constexpr std::size_t kWaveStageBytes = 256u << 10;

class WaveFileWriter final : public SoundFileWriter {
 public:
  // header: the bytes each file starts with (their sizes are replaced);
  // frameBytes: a file never ends inside a sample frame; dataLimit: the
  // data bytes one file may hold.
  WaveFileWriter(std::filesystem::path path, const WaveHeaderBytes& header, std::size_t frameBytes,
                 std::uint64_t dataLimit = kWaveDataLimit);
  ~WaveFileWriter() override;
  WaveFileWriter(const WaveFileWriter&) = delete;
  WaveFileWriter& operator=(const WaveFileWriter&) = delete;

  // Creates the first file; false when it cannot be created.
  bool Open();
  // Kept in the stage until it is full; a failure to write it shows here
  // or in Finish.
  bool Write(std::span<const std::uint8_t> pcm) override;
  bool Finish() override;
  std::vector<std::filesystem::path> Files() const override { return files_; }

 private:
  bool StartFile();
  bool EndFile();
  bool WriteAll(const std::uint8_t* bytes, std::size_t length);
  void Stage(const std::uint8_t* bytes, std::size_t length);
  bool Flush();

  std::filesystem::path path_;
  WaveHeaderBytes header_;
  std::uint64_t dataLimit_;
  std::vector<std::filesystem::path> files_;
  int fd_ = -1;
  std::uint64_t dataInFile_ = 0;
  std::unique_ptr<std::uint8_t[]> stage_;
  std::size_t staged_ = 0;
  bool failed_ = false;
};

// The name of the n-th file of a split recording: out.wav, out-2.wav ...
std::filesystem::path SplitFileName(const std::filesystem::path& path, int n);

}  // namespace lirvan
