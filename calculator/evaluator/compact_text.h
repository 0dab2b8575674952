#pragma once
// An expression with every blank (0x20) removed. Error positions must refer
// to the text as the user wrote it, so each kept character remembers where
// it stood. Other white space is kept and later refused by the scanner.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan::eval {

class CompactText {
 public:
  explicit CompactText(std::string_view written);

  std::string_view Text() const noexcept { return text_; }
  bool Empty() const noexcept { return text_.empty(); }
  // 0-based position in the written text; the end maps to its length.
  std::size_t WrittenPosition(std::size_t index) const noexcept;

 private:
  std::string text_;
  std::vector<std::size_t> positions_;
  std::size_t writtenLength_;
};

}  // namespace lirvan::eval
