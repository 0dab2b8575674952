#pragma once
// A whole file mapped read-only and read in at once. Mapping the sound
// data costs a few milliseconds where copying tens of megabytes into fresh
// memory costs a page fault per page.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lirvan {

class MappedFile {
 public:
  enum class Error { Missing, SizeUnavailable, OutOfMemory };

  // Nothing, with the reason, when the file cannot be opened, its size
  // cannot be taken, or it cannot be mapped. An empty file maps as empty.
  static std::optional<MappedFile> Open(const std::string& path, Error& error);

  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
  std::size_t size() const { return size_; }

 private:
  MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  void Release();

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lirvan
