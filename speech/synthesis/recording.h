#pragma once
// Everything the synthesizer has played, kept in large blocks: appending
// never copies what is already recorded, and a bounded recording drops its
// oldest blocks whole.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <functional>
#include <span>
#include <vector>

namespace lirvan {

class Recording {
 public:
  // limit: bytes of the newest sound kept (0 keeps everything); frame: the
  // block alignment, so a cut never splits a sample; keep false: nothing
  // is kept, only counted.
  explicit Recording(std::size_t limit = 0, std::size_t frame = 1, bool keep = true);

  // False (nothing appended) when memory runs out.
  bool Append(std::span<const std::uint8_t> bytes);
  // Bytes written so far, before any trimming.
  std::size_t TotalAppended() const { return total_; }
  // The bytes kept: at most the limit, newest last.
  std::size_t Length() const;
  std::vector<std::uint8_t> Bytes() const;
  // Hands the kept bytes on in order, block by block; false as soon as
  // write does.
  bool WriteTo(const std::function<bool(std::span<const std::uint8_t>)>& write) const;

 private:
  struct Block {
    std::unique_ptr<std::uint8_t[], void (*)(std::uint8_t*)> data;
    std::size_t used = 0;
  };
  static Block NewBlock();
  void Trim();
  // The first kept byte: block index and offset in it.
  std::pair<std::size_t, std::size_t> Start() const;

  std::size_t limit_;
  std::size_t frame_;
  bool keep_;
  std::deque<Block> blocks_;
  std::size_t held_ = 0;  // bytes in blocks_
  std::size_t total_ = 0;
};

}  // namespace lirvan
