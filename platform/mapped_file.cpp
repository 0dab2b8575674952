#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace lirvan {

std::optional<MappedFile> MappedFile::Open(const std::string& path, Error& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = Error::Missing;
    return std::nullopt;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    error = Error::SizeUnavailable;
    return std::nullopt;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size == 0) {
    close(fd);
    return MappedFile(nullptr, 0);
  }
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  close(fd);  // the mapping keeps the file
  if (mapped == MAP_FAILED) {
    error = Error::OutOfMemory;
    return std::nullopt;
  }
  return MappedFile(static_cast<const std::uint8_t*>(mapped), size);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

MappedFile::~MappedFile() { Release(); }

void MappedFile::Release() {
  if (data_ != nullptr) munmap(const_cast<std::uint8_t*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace lirvan
