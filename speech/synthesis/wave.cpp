#include "speech/synthesis/wave.h"

#include <algorithm>
#include <new>

#include "speech/synthesis/error_hook.h"

namespace lirvan {

void Wave::Clear() {
  std::vector<std::uint8_t>().swap(data_);
  headMark = 0;
  tailMark = 0;
}

void Wave::Set(std::vector<std::uint8_t> buffer) { data_ = std::move(buffer); }

void Wave::Reserve(std::size_t bytes) {
  try {
    data_.reserve(bytes);
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
  }
}

bool Wave::Append(const Wave& other) {
  std::size_t keep = data_.size();
  if (tailMark != 0 && other.headMark != 0) {
    std::size_t cut = 7 * static_cast<std::size_t>(std::max(tailMark, 0));
    if (2 * cut >= 3 * keep) cut = keep / 2;
    keep -= std::min(cut, keep);
  }
  try {
    // Geometric growth: a recording appended to all day is never copied whole per token.
    const std::size_t needed = keep + other.length();
    if (needed > data_.capacity()) data_.reserve(std::max(needed, 2 * data_.capacity()));
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
    return false;
  }
  data_.resize(keep);
  data_.insert(data_.end(), other.data_.begin(), other.data_.end());
  tailMark = other.tailMark;
  return true;
}

bool Wave::Append(std::span<const std::uint8_t> bytes) {
  try {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
    return false;
  }
  return true;
}

void Wave::DropFront(std::size_t bytes) {
  bytes = std::min(bytes, data_.size());
  data_.erase(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(bytes));
}

}  // namespace lirvan
