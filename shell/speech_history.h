#pragma once
// The newest spoken messages, one entry per message, so that the user can
// hear the last one again and a sighted helper can read what was said.
// Texts are CP1254.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace lirvan {

class SpeechHistory {
 public:
  explicit SpeechHistory(std::size_t capacity = 500) : capacity_(capacity) {}

  // An empty text is not a message.
  void Add(std::string text);
  std::optional<std::string> Last() const;
  std::vector<std::string> NewestFirst() const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::size_t capacity_;
  std::deque<std::string> entries_;  // oldest first
};

}  // namespace lirvan
