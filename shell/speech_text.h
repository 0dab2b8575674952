#pragma once
// A message as the speak family takes it: the program's own words, whose
// bracketed markup the engine obeys, and text from outside the program
// (pages, mail, documents, file names, what the user typed), which is read
// as written. Texts are CP1254.
#include <string>
#include <vector>

#include "frontend/text_segment.h"

namespace lirvan {

// The engine's own piece of text: the program's words, or plain text from
// outside.
using SpeechSegment = TextSegment;

class SpeechText {
 public:
  SpeechText() = default;
  // The program's own words; implicit, so a message is written as a string.
  SpeechText(std::string own);  // NOLINT(google-explicit-constructor)
  SpeechText(const char* own);  // NOLINT(google-explicit-constructor)

  // Text from outside the program.
  static SpeechText Plain(std::string outside);

  SpeechText& operator+=(SpeechText other);
  friend SpeechText operator+(SpeechText left, SpeechText right) {
    left += std::move(right);
    return left;
  }

  const std::vector<SpeechSegment>& segments() const { return segments_; }
  std::vector<SpeechSegment>& segments() { return segments_; }
  // Every segment's text, one after the other.
  std::string Joined() const;
  bool IsPlainOnly() const;

 private:
  std::vector<SpeechSegment> segments_;
};

inline SpeechText Plain(std::string outside) { return SpeechText::Plain(std::move(outside)); }

}  // namespace lirvan
