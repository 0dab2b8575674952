#include "sd/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace lirvan::sd {

bool LineReader::Fill() {
  if (eof_) return false;
  if (start_ > 0) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(fd_, chunk, sizeof chunk);
    if (got > 0) {
      buffer_.append(chunk, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    eof_ = true;
    return false;
  }
}

std::optional<std::string> LineReader::Next() {
  std::string line;
  bool cut = false;
  for (;;) {
    const std::size_t lf = buffer_.find('\n', start_);
    const std::size_t end = lf == std::string::npos ? buffer_.size() : lf;
    const std::size_t room = kMaxLineBytes - line.size();
    if (!cut) {
      const std::size_t take = std::min(end - start_, room);
      line.append(buffer_, start_, take);
      cut = take < end - start_;
    }
    if (lf != std::string::npos) {
      start_ = lf + 1;
      break;
    }
    start_ = buffer_.size();
    if (!Fill()) {
      if (line.empty() && !cut) return std::nullopt;
      break;  // a last line without its LF still counts
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

Block LineReader::ReadBlock() {
  Block block;
  std::size_t bytes = 0;
  while (auto line = Next()) {
    if (*line == ".") {
      block.complete = true;
      return block;
    }
    if (*line == "..") line->erase(0, 1);
    if (line->size() == kMaxLineBytes) block.truncated = true;
    bytes += line->size() + 1;
    if (bytes > kMaxBlockBytes) {
      block.truncated = true;
      continue;  // read on to the dot, keep nothing more
    }
    block.lines.push_back(std::move(*line));
  }
  return block;
}

}  // namespace lirvan::sd
