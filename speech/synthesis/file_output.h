#pragma once
// An output that writes each token's sound to a file as it comes, in place
// of the device: memory stays bounded whatever the length of the text.
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound_file.h"
#include "speech/synthesis/sound_output.h"

namespace lirvan {

class FileOutput final : public SoundOutput {
 public:
  explicit FileOutput(std::filesystem::path path);
  ~FileOutput() override;

  // Creates the file in the voice's format; a failure is kept for Ok().
  void Open(const PcmFormat& format) override;
  // Handed to the file before it returns (a WAVE file stages whole pages);
  // an error code once writing has failed.
  int Play(std::span<const std::uint8_t> sound) override;
  // Written as they lie, with no joining copy.
  int PlayPieces(SoundPieces pieces) override;
  bool IsPlaying() const override { return false; }
  void WaitUntilIdle() const override {}
  void Reset() override {}

  // False, with the reason, when the file could not be created or written.
  bool Ok() const;
  const std::string& error() const { return error_; }
  // Completes and closes the file; false when any write failed.
  bool Finish();
  // The files written (more than one when a WAVE file reached its limit).
  std::vector<std::filesystem::path> Files() const;

 private:
  std::filesystem::path path_;
  mutable std::mutex mutex_;  // tokens may come from two threads
  std::unique_ptr<SoundFileWriter> writer_;
  std::string error_;
  bool failed_ = false;
};

}  // namespace lirvan
