#include "frontend/punctuation.h"

namespace lirvan {
namespace {

// CP1254: ¿ BF, ¡ A1, ± B1, „ 84, ‚ 82, ‘ 91, ’ 92, “ 93, ” 94, « AB,
// » BB, ‹ 8B, › 9B.
constexpr std::string_view kMeaningMarks =
    "?!\xBF\xA1"
    "\"`'\x84\x82\x91\x92\x93\x94\xAB\xBB\x8B\x9B"
    "()[]{}/\\"
    "+-\xB1";

bool IsApostrophe(char c) { return c == '\'' || c == '\x92'; }

// The lowest level that reads the mark.
PunctuationLevel LevelOf(std::string_view mark, bool apostropheInWord) {
  const char first = mark.front();
  if (mark == "." || first == ',') return PunctuationLevel::All;
  if (IsApostrophe(first) && apostropheInWord) return PunctuationLevel::All;
  // '...' and other runs of dots are not a full stop.
  if (first != '.' && kMeaningMarks.find(first) != std::string_view::npos) {
    return PunctuationLevel::Some;
  }
  return PunctuationLevel::Most;
}

}  // namespace

bool ReadsMark(PunctuationLevel level, std::string_view mark, bool apostropheInWord) {
  if (level == PunctuationLevel::None || mark.empty()) return false;
  return static_cast<int>(level) >= static_cast<int>(LevelOf(mark, apostropheInWord));
}

}  // namespace lirvan
