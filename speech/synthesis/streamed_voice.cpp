// The voice read unit by unit: each unit is read from the file the first
// time it is asked for and kept while it is among the most recently used;
// a book written to a file repeats its syllables far more often than it
// meets new ones.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <list>
#include <new>
#include <memory>
#include <unordered_map>

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
  StreamedVoice(int fd, std::uint64_t size, std::size_t budget) : fd_(fd), size_(size), budget_(budget) {}
  ~StreamedVoice() override { ::close(fd_); }
  StreamedVoice(const StreamedVoice&) = delete;
  StreamedVoice& operator=(const StreamedVoice&) = delete;

  std::uint64_t size() const override { return size_; }
  bool Streamed() const override { return true; }

  std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t offset, std::size_t length) override {
    if (offset > size_ || length > size_ - offset) return std::nullopt;
    if (length == 0) return std::span<const std::uint8_t>{};
    const Range range{offset, length};
    if (auto found = units_.find(range); found != units_.end()) {
      ages_.splice(ages_.begin(), ages_, found->second.age);  // the newest now
      return std::span<const std::uint8_t>(found->second.bytes.get(), range.length);
    }
    try {
      // Not cleared first: every byte is read over.
      std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[length]);
      if (!ReadAt(offset, {bytes.get(), length})) return std::nullopt;
      ages_.push_front(range);
      auto [at, added] = units_.emplace(range, Unit{std::move(bytes), ages_.begin()});
      held_ += length;
      return std::span<const std::uint8_t>(at->second.bytes.get(), length);
    } catch (const std::bad_alloc&) {
      return std::nullopt;
    }
  }

  void Forget() override {
    while (held_ > budget_ && !ages_.empty()) {
      const auto oldest = units_.find(ages_.back());
      held_ -= oldest->first.length;
      units_.erase(oldest);
      ages_.pop_back();
    }
  }

 private:
  struct Unit {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::list<Range>::iterator age;
  };

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
  const std::size_t budget_;
  std::unordered_map<Range, Unit, RangeHash> units_;
  std::list<Range> ages_;  // newest first
  std::size_t held_ = 0;
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
