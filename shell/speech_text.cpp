#include "shell/speech_text.h"

#include <algorithm>

namespace lirvan {

SpeechText::SpeechText(std::string own) { segments_.push_back({std::move(own), false}); }

SpeechText::SpeechText(const char* own) : SpeechText(std::string(own)) {}

SpeechText SpeechText::Plain(std::string outside) {
  SpeechText text;
  text.segments_.push_back({std::move(outside), true});
  return text;
}

SpeechText& SpeechText::operator+=(SpeechText other) {
  for (SpeechSegment& segment : other.segments_) {
    // Neighbours of the same kind are one segment.
    if (!segments_.empty() && segments_.back().plain == segment.plain) {
      segments_.back().text += segment.text;
    } else {
      segments_.push_back(std::move(segment));
    }
  }
  return *this;
}

std::string SpeechText::Joined() const {
  std::string joined;
  for (const SpeechSegment& segment : segments_) joined += segment.text;
  return joined;
}

bool SpeechText::IsPlainOnly() const {
  return std::all_of(segments_.begin(), segments_.end(),
                     [](const SpeechSegment& segment) { return segment.plain; });
}

}  // namespace lirvan
