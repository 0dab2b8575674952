#pragma once
// A block of memory that reads as zeros and costs nothing until written:
// the pages come from the kernel as they are first touched, so a large
// table is never cleared by the program. A block of 2 MiB or more is
// offered as huge pages, so that filling it costs a few page faults.
#include <cstddef>

namespace lirvan {

class ZeroPages {
 public:
  // Throws std::bad_alloc when the block cannot be reserved.
  explicit ZeroPages(std::size_t bytes);
  ZeroPages(ZeroPages&& other) noexcept;
  ZeroPages& operator=(ZeroPages&& other) noexcept;
  ZeroPages(const ZeroPages&) = delete;
  ZeroPages& operator=(const ZeroPages&) = delete;
  ~ZeroPages();

  void* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  void Release();

  void* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace lirvan
