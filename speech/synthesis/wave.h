#pragma once
// A growable buffer of PCM bytes. Appending grows the storage
// geometrically, so a wave that grows all day costs only the bytes added.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lirvan {

class Wave {
 public:
  void Clear();  // no bytes, both marks 0
  void Set(std::vector<std::uint8_t> buffer);
  // Appends the other wave's bytes. When this wave's tailMark and the
  // other's headMark are both set, the end of this wave is cut first
  // (7 x tailMark bytes, at most half of it). On allocation failure reports
  // out of memory and leaves the wave unchanged. Returns success.
  bool Append(const Wave& other);
  bool Append(std::span<const std::uint8_t> bytes);
  void Reserve(std::size_t bytes);
  // Drops bytes from the front (the oldest sound).
  void DropFront(std::size_t bytes);

  const std::uint8_t* data() const { return data_.empty() ? nullptr : data_.data(); }
  std::size_t length() const { return data_.size(); }
  std::span<const std::uint8_t> bytes() const { return data_; }
  std::span<std::uint8_t> mutableBytes() { return data_; }

  int headMark = 0;
  int tailMark = 0;

 private:
  std::vector<std::uint8_t> data_;
};

}  // namespace lirvan
