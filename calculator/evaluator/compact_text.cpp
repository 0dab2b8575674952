#include "calculator/evaluator/compact_text.h"

namespace lirvan::eval {

CompactText::CompactText(std::string_view written) : writtenLength_(written.size()) {
  text_.reserve(written.size());
  positions_.reserve(written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] == ' ') continue;
    text_.push_back(written[i]);
    positions_.push_back(i);
  }
}

std::size_t CompactText::WrittenPosition(std::size_t index) const noexcept {
  return index < positions_.size() ? positions_[index] : writtenLength_;
}

}  // namespace lirvan::eval
