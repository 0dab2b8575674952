// The voice read unit by unit: each unit is read from the file the first
// time it is asked for and kept in one block of the budget's size; a book
// written to a file repeats its syllables far more often than it meets
// new ones. When a unit no longer fits, it is read into memory of its own,
// and at the end of that token everything is let go and the block is
// filled afresh: no bookkeeping per unit, and the block's pages, taken
// once, serve the whole text.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/zero_pages.h"
#include "speech/synthesis/voice_data.h"

namespace lirvan {
namespace {

struct Range {
  std::uint64_t offset;
  std::size_t length;
  bool operator==(const Range&) const = default;
};

struct RangeHash {
  std::size_t operator()(const Range& r) const noexcept {
    return std::hash<std::uint64_t>{}(r.offset * 0x9E3779B97F4A7C15ull ^ r.length);
  }
};

class StreamedVoice final : public VoiceData {
 public:
  StreamedVoice(int fd, std::uint64_t size, std::size_t budget)
      : fd_(fd), size_(size), block_(budget) {}
  ~StreamedVoice() override { ::close(fd_); }
  StreamedVoice(const StreamedVoice&) = delete;
  StreamedVoice& operator=(const StreamedVoice&) = delete;

  std::uint64_t size() const override { return size_; }
  bool Streamed() const override { return true; }

  std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t offset, std::size_t length) override {
    if (offset > size_ || length > size_ - offset) return std::nullopt;
    if (length == 0) return std::span<const std::uint8_t>{};
    const Range range{offset, length};
    if (auto found = units_.find(range); found != units_.end()) return found->second;
    try {
      const bool inBlock = length <= block_.size() - used_;
      if (!inBlock) overflow_.emplace_back(new std::uint8_t[length]);  // read over whole, never cleared
      const std::span<std::uint8_t> room(
          inBlock ? static_cast<std::uint8_t*>(block_.data()) + used_ : overflow_.back().get(), length);
      if (!ReadAt(offset, room)) return std::nullopt;
      if (inBlock) used_ += length;
      units_.emplace(range, room);
      return room;
    } catch (const std::bad_alloc&) {
      return std::nullopt;
    }
  }

  void Forget() override {
    if (overflow_.empty()) return;
    units_.clear();
    overflow_.clear();
    used_ = 0;
  }

 private:
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
    while (!into.empty()) {
      const ssize_t n = ::pread(fd_, into.data(), into.size(), static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;  // an error, or the file shrank under us
      into = into.subspan(static_cast<std::size_t>(n));
      offset += static_cast<std::uint64_t>(n);
    }
    return true;
  }

  const int fd_;
  const std::uint64_t size_;
  ZeroPages block_;
  std::size_t used_ = 0;  // bytes of the block holding units
  std::vector<std::unique_ptr<std::uint8_t[]>> overflow_;
  std::unordered_map<Range, std::span<const std::uint8_t>, RangeHash> units_;
};

}  // namespace

std::unique_ptr<VoiceData> OpenStreamedVoice(const std::filesystem::path& path, std::size_t budget,
                                             VoiceData::Error& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = VoiceData::Error::Missing;
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    error = VoiceData::Error::SizeUnavailable;
    return nullptr;
  }
  try {
    return std::make_unique<StreamedVoice>(fd, static_cast<std::uint64_t>(info.st_size), budget);
  } catch (const std::bad_alloc&) {
    ::close(fd);
    error = VoiceData::Error::OutOfMemory;
    return nullptr;
  }
}

}  // namespace lirvan
