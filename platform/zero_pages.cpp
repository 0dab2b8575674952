#include "platform/zero_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>
#include <utility>

namespace lirvan {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

ZeroPages::ZeroPages(std::size_t bytes) : size_(bytes) {
  if (bytes == 0) return;
  // A block of a huge page or more is placed on a huge-page boundary and
  // offered to the kernel as huge pages: a page fault then maps 2 MiB, not
  // 4 KiB, and on a virtual machine each mapping is what costs.
  const bool huge = bytes >= kHugePage;
  const std::size_t reserved = huge ? bytes + kHugePage : bytes;
  void* mapped = ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  if (!huge) {
    data_ = mapped;
    return;
  }
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
  const std::size_t before = aligned - start;
  const std::size_t after = reserved - before - bytes;
  if (before > 0) ::munmap(mapped, before);
  if (after > 0) ::munmap(reinterpret_cast<void*>(aligned + bytes), after);
  data_ = reinterpret_cast<void*>(aligned);
  ::madvise(data_, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it works as before
}

ZeroPages::ZeroPages(ZeroPages&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

ZeroPages& ZeroPages::operator=(ZeroPages&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

ZeroPages::~ZeroPages() { Release(); }

void ZeroPages::Release() {
  if (data_ != nullptr) ::munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace lirvan
