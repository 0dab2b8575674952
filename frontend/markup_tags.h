#pragma once
// The parsers of the opening tags that carry values (emph, break, pitch,
// rate, volume, engine, lang, speaker), shared by the markup scanner.
#include <string>
#include <string_view>

#include "frontend/markup.h"
#include "platform/trace.h"

namespace lirvan::markup_detail {

// Builds a trace line only when tracing is on: tags are rare, but texts
// with thousands of them should not pay for lines nobody reads.
inline void AppendPart(std::string& line, std::string_view part) { line += part; }
inline void AppendPart(std::string& line, int number) { line += std::to_string(number); }

template <typename... Parts>
void Note(const Parts&... parts) {
  if (!TraceEnabled()) return;
  std::string line;
  (AppendPart(line, parts), ...);
  TraceLine(line);
}

// Each parser updates the tag's stack and fills the rule. It returns false
// when the tag is ignored altogether (no rule token, valid or not).
bool ParseEmph(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseBreak(std::string_view body, MarkupRule& rule);
bool ParsePitch(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseRate(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseVolume(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseEngine(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseLang(std::string_view body, MarkupState& state, MarkupRule& rule);
bool ParseSpeaker(std::string_view body, MarkupState& state, MarkupRule& rule);

}  // namespace lirvan::markup_detail
