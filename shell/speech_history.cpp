#include "shell/speech_history.h"

namespace lirvan {

void SpeechHistory::Add(std::string text) {
  if (text.empty() || capacity_ == 0) return;
  if (entries_.size() == capacity_) entries_.pop_front();
  entries_.push_back(std::move(text));
}

std::optional<std::string> SpeechHistory::Last() const {
  if (entries_.empty()) return std::nullopt;
  return entries_.back();
}

std::vector<std::string> SpeechHistory::NewestFirst() const {
  return {entries_.rbegin(), entries_.rend()};
}

}  // namespace lirvan
