#pragma once
// Numbers in Turkish words.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "speech/units/token.h"

namespace lirvan {

// One number word; a units word said for a group other than the thousands
// carries its digit as source.
struct NumberWord {
  std::string spoken;
  std::string source;
};

// The words of a run of digits (grouping dots allowed), cardinal or
// ordinal. More digits than the largest scale word covers (over 21) are
// read digit by digit, so no number is ever heard as a smaller one.
std::vector<NumberWord> NumberWords(std::string_view digits, bool ordinal);

// Longest digit count read as one number.
inline constexpr std::size_t kLongestSpokenNumber = 21;

// A Cardinal or Ordinal token becomes the chain of its number words: the
// token takes the first word and links to the rest. Other kinds unchanged.
void ExpandNumber(Token& token);

// Words for the digits '1'..'9'; empty for any other byte.
std::string UnitsWord(char digit);
std::string TensWord(char digit);
std::string OrdinalSuffix(char digit);

// Turkish digit grouping: the length of a number such as '1.250.000' that
// starts at pos (one to three digits, not starting with '0' and not preceded
// by a digit, then one or more groups of '.' and exactly three digits, with
// no digit after the last group); 0 when there is none. ExpandNumber drops
// the dots of such a number.
std::size_t GroupedNumberLength(std::string_view text, std::size_t pos);

// The ordinal suffix a word takes by vowel harmony: "on" -> "uncu",
// "yirmi" -> "nci", "kırk" -> "ıncı". Empty for a word without a vowel.
std::string HarmonicOrdinalSuffix(std::string_view word);

}  // namespace lirvan
