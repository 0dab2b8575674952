#include "platform/wave_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace lirvan {
namespace {

void PutLe(WaveHeaderBytes& h, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) h[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutTag(WaveHeaderBytes& h, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i) h[at + i] = static_cast<std::uint8_t>(tag[i]);
}

}  // namespace

WaveHeaderBytes CanonicalWaveHeader(const PcmFormat& format) {
  WaveHeaderBytes h{};
  const auto blockAlign = static_cast<std::uint32_t>(format.channels * (format.bitsPerSample / 8));
  PutTag(h, 0, "RIFF");
  PutTag(h, 8, "WAVE");
  PutTag(h, 12, "fmt ");
  PutLe(h, 16, 16, 4);
  PutLe(h, 20, 1, 2);  // PCM
  PutLe(h, 22, static_cast<std::uint32_t>(format.channels), 2);
  PutLe(h, 24, static_cast<std::uint32_t>(format.sampleRate), 4);
  PutLe(h, 28, static_cast<std::uint32_t>(format.BytesPerSecond()), 4);
  PutLe(h, 32, blockAlign, 2);
  PutLe(h, 34, static_cast<std::uint32_t>(format.bitsPerSample), 2);
  PutTag(h, 36, "data");
  return WithWaveSizes(h, 0);
}

WaveHeaderBytes WithWaveSizes(WaveHeaderBytes header, std::uint32_t dataLength) {
  // The callers keep dataLength within kWaveDataLimit, so this cannot wrap.
  PutLe(header, 4, 36 + dataLength, 4);
  PutLe(header, 40, dataLength, 4);
  return header;
}

std::filesystem::path SplitFileName(const std::filesystem::path& path, int n) {
  if (n <= 1) return path;
  std::filesystem::path name = path;
  name.replace_filename(path.stem().string() + "-" + std::to_string(n) + path.extension().string());
  return name;
}

WaveFileWriter::WaveFileWriter(std::filesystem::path path, const WaveHeaderBytes& header,
                               std::size_t frameBytes, std::uint64_t dataLimit)
    : path_(std::move(path)), header_(header), stage_(new std::uint8_t[kWaveStageBytes]) {
  const std::uint64_t frame = std::max<std::size_t>(frameBytes, 1);
  dataLimit_ = std::min(dataLimit, kWaveDataLimit);
  dataLimit_ = std::max(dataLimit_ - dataLimit_ % frame, frame);
}

WaveFileWriter::~WaveFileWriter() {
  if (fd_ >= 0) Finish();
}

bool WaveFileWriter::Open() { return StartFile(); }

bool WaveFileWriter::StartFile() {
  const std::filesystem::path name = SplitFileName(path_, static_cast<int>(files_.size()) + 1);
  fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    failed_ = true;
    return false;
  }
  files_.push_back(name);
  dataInFile_ = 0;
  // Sizes 0 until the file is finished: a file cut short by a crash says
  // it holds nothing rather than more than it does.
  const WaveHeaderBytes empty = WithWaveSizes(header_, 0);
  staged_ = 0;
  Stage(empty.data(), empty.size());
  return !failed_;
}

bool WaveFileWriter::EndFile() {
  const WaveHeaderBytes sized = WithWaveSizes(header_, static_cast<std::uint32_t>(dataInFile_));
  bool ok = Flush() && ::pwrite(fd_, sized.data(), sized.size(), 0) == static_cast<ssize_t>(sized.size());
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (!ok) failed_ = true;
  return ok;
}

bool WaveFileWriter::WriteAll(const std::uint8_t* bytes, std::size_t length) {
  while (length > 0 && !failed_) {
    const ssize_t n = ::write(fd_, bytes, length);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      break;
    }
    bytes += n;
    length -= static_cast<std::size_t>(n);
  }
  return !failed_;
}

void WaveFileWriter::Stage(const std::uint8_t* bytes, std::size_t length) {
  while (length > 0 && !failed_) {
    const std::size_t n = std::min(length, kWaveStageBytes - staged_);
    std::copy_n(bytes, n, stage_.get() + staged_);
    staged_ += n;
    bytes += n;
    length -= n;
    if (staged_ == kWaveStageBytes) Flush();
  }
}

bool WaveFileWriter::Flush() {
  const bool ok = WriteAll(stage_.get(), staged_);
  staged_ = 0;
  return ok;
}

bool WaveFileWriter::Write(std::span<const std::uint8_t> pcm) {
  while (!pcm.empty() && !failed_ && fd_ >= 0) {
    if (dataInFile_ == dataLimit_ && !(EndFile() && StartFile())) break;
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(pcm.size(), dataLimit_ - dataInFile_));
    Stage(pcm.data(), n);
    if (failed_) break;
    dataInFile_ += n;
    pcm = pcm.subspan(n);
  }
  return !failed_ && fd_ >= 0;
}

bool WaveFileWriter::Finish() {
  if (fd_ >= 0) EndFile();
  return !failed_;
}

}  // namespace lirvan
