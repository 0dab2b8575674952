#pragma once
// How much punctuation is read aloud. The settings file's own switch is on (All) or
// off (None); between them, Some reads the marks that change what a text
// means and Most everything but the commonest marks.
#include <cstdint>
#include <string_view>

namespace lirvan {

enum class PunctuationLevel : std::uint8_t { None = 0, Some = 1, Most = 2, All = 3 };

// Whether a symbol token written as `mark` (CP1254, as cut from the text:
// '?' or '?.', ',' or '...') is spoken at the level. An apostrophe with a
// letter on each side ('rock'n'roll') is part of a word; elsewhere it
// quotes.
//   Some: ? ! ¿ ¡, quotation marks, brackets, slashes, + - ±
//   Most: all but the comma, the full stop and an apostrophe in a word
bool ReadsMark(PunctuationLevel level, std::string_view mark, bool apostropheInWord);

}  // namespace lirvan
