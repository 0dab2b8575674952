#include "speech/synthesis/recording.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace lirvan {
namespace {

// 2 MiB blocks, aligned so the kernel can back each with one huge page:
// hours of sound cost a fault per block, not one per 4 KiB page.
constexpr std::size_t kBlockSize = std::size_t{2} << 20;

void FreeBlock(std::uint8_t* p) { std::free(p); }

}  // namespace

Recording::Recording(std::size_t limit, std::size_t frame, bool keep)
    : limit_(limit), frame_(std::max<std::size_t>(frame, 1)), keep_(keep) {}

Recording::Block Recording::NewBlock() {
  void* p = std::aligned_alloc(kBlockSize, kBlockSize);
  if (p == nullptr) throw std::bad_alloc();
  madvise(p, kBlockSize, MADV_HUGEPAGE);
  return Block{{static_cast<std::uint8_t*>(p), &FreeBlock}, 0};
}

bool Recording::Append(std::span<const std::uint8_t> bytes) {
  if (!keep_) {
    total_ += bytes.size();
    return true;
  }
  try {
    while (!bytes.empty()) {
      if (blocks_.empty() || blocks_.back().used == kBlockSize) blocks_.push_back(NewBlock());
      Block& last = blocks_.back();
      const std::size_t n = std::min(bytes.size(), kBlockSize - last.used);
      std::memcpy(last.data.get() + last.used, bytes.data(), n);
      last.used += n;
      held_ += n;
      total_ += n;
      bytes = bytes.subspan(n);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  Trim();
  return true;
}

void Recording::Trim() {
  if (limit_ == 0) return;
  while (blocks_.size() > 1 && held_ - blocks_.front().used >= limit_) {
    held_ -= blocks_.front().used;
    blocks_.pop_front();
  }
}

std::pair<std::size_t, std::size_t> Recording::Start() const {
  if (limit_ == 0 || held_ <= limit_) return {0, 0};
  std::size_t skip = held_ - limit_;
  skip += (frame_ - skip % frame_) % frame_;
  std::size_t block = 0;
  while (block < blocks_.size() && skip >= blocks_[block].used) skip -= blocks_[block++].used;
  return {block, skip};
}

std::size_t Recording::Length() const {
  auto [block, offset] = Start();
  std::size_t n = 0;
  for (std::size_t i = block; i < blocks_.size(); ++i) n += blocks_[i].used;
  return n - offset;
}

std::vector<std::uint8_t> Recording::Bytes() const {
  std::vector<std::uint8_t> out;
  out.reserve(Length());
  auto [block, offset] = Start();
  for (std::size_t i = block; i < blocks_.size(); ++i, offset = 0) {
    out.insert(out.end(), blocks_[i].data.get() + offset, blocks_[i].data.get() + blocks_[i].used);
  }
  return out;
}

bool Recording::WriteTo(const std::function<bool(std::span<const std::uint8_t>)>& write) const {
  auto [block, offset] = Start();
  for (std::size_t i = block; i < blocks_.size(); ++i, offset = 0) {
    if (!write({blocks_[i].data.get() + offset, blocks_[i].used - offset})) return false;
  }
  return true;
}

}  // namespace lirvan
