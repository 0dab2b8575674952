#include "speech/synthesis/file_output.h"

#include "speech/synthesis/error_hook.h"

namespace lirvan {

FileOutput::FileOutput(std::filesystem::path path) : path_(std::move(path)) {}

FileOutput::~FileOutput() { Finish(); }

void FileOutput::Open(const PcmFormat& format) {
  std::lock_guard lock(mutex_);
  writer_ = OpenSoundFile(path_, format, error_);
  if (!writer_) {
    failed_ = true;
    ReportEngineError(kErrorFileWrite);
  }
}

int FileOutput::Play(std::span<const std::uint8_t> sound) {
  const std::span<const std::uint8_t> one[] = {sound};
  return PlayPieces(one);
}

int FileOutput::PlayPieces(SoundPieces pieces) {
  std::lock_guard lock(mutex_);
  if (failed_ || !writer_) return kErrorFileWrite;
  if (!writer_->WritePieces(pieces)) {
    failed_ = true;
    error_ = "cannot write " + path_.string();
    ReportEngineError(kErrorFileWrite);
    return kErrorFileWrite;
  }
  return 0;
}

bool FileOutput::Ok() const {
  std::lock_guard lock(mutex_);
  return !failed_;
}

bool FileOutput::Finish() {
  std::lock_guard lock(mutex_);
  if (writer_ && !writer_->Finish() && !failed_) {
    failed_ = true;
    error_ = "cannot write " + path_.string();
  }
  return !failed_;
}

std::vector<std::filesystem::path> FileOutput::Files() const {
  std::lock_guard lock(mutex_);
  return writer_ ? writer_->Files() : std::vector<std::filesystem::path>{};
}

}  // namespace lirvan
