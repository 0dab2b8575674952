#pragma once
// Reads the server's protocol from a file descriptor, one LF-ended line at
// a time, and the dot-ended blocks that follow SPEAK, SET and AUDIO.
// Lines and blocks are bounded so a hostile or broken peer cannot make the
// module take all memory: the excess is dropped and reported.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lirvan::sd {

inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
inline constexpr std::size_t kMaxBlockBytes = 8 * 1024 * 1024;

struct Block {
  std::vector<std::string> lines;  // dot-unescaped, without the closing dot
  bool truncated = false;          // lines or bytes dropped past the bounds
  bool complete = false;           // false: the input ended before the dot
};

class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}

  // The next line without its LF (a CR before it is dropped too); nothing
  // at the end of the input. A line longer than kMaxLineBytes is cut.
  std::optional<std::string> Next();
  // Lines up to the one holding a single '.'; a line ".." stands for a
  // line holding a dot (other lines are kept as sent).
  Block ReadBlock();

 private:
  bool Fill();

  int fd_;
  std::string buffer_;
  std::size_t start_ = 0;
  bool eof_ = false;
};

}  // namespace lirvan::sd
