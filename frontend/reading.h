#pragma once
// Readings: the expansion steps that look at more than one token of the
// raw text (dates, times, signed and decimal numbers, suffixes after an
// apostrophe, Roman numerals, initialisms, web and mail addresses). They
// run in front of the tokenizer: where one of them recognises the text at a
// position, its words are spoken and the tokenizer goes on after them;
// everywhere else the text is tokenised and expanded as before.
//
// All texts are CP1254. Every word of a reading is spoken whatever the
// punctuation switch says: a sign that is part of what is written ("eksi"
// in '-5', "nokta" in an address) is not punctuation.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/numbers.h"
#include "speech/units/token.h"

namespace lirvan {

class Lexicon;

struct ReadWord {
  std::string spoken;
  std::string source;
  TokenKind kind = TokenKind::Expansion;
};

struct Reading {
  std::size_t end = 0;  // first byte after what was read
  std::vector<ReadWord> words;

  void Say(std::string_view word) { words.push_back({std::string(word), std::string(word)}); }
  void Say(const std::vector<NumberWord>& number);
};

// The reading of text at i, or nothing when no reading step applies there.
std::optional<Reading> ReadAhead(std::string_view text, std::size_t i, const Lexicon& lexicon);

// The steps, each tried at a position of the kind it can start at. Each
// gives nothing when the text at i is not its kind of text.
std::optional<Reading> ReadDate(std::string_view text, std::size_t i);
std::optional<Reading> ReadTime(std::string_view text, std::size_t i);
// A number with what belongs to it: a sign or currency before it, a
// decimal part, a percent, degree or currency sign or a unit after it.
std::optional<Reading> ReadSignedNumber(std::string_view text, std::size_t i);
std::optional<Reading> ReadAddress(std::string_view text, std::size_t i, const Lexicon& lexicon);
std::optional<Reading> ReadInitialism(std::string_view text, std::size_t i);
std::optional<Reading> ReadRomanNumeral(std::string_view text, std::size_t i);
// A word holding letters of another language: 'café', 'Éric'.
std::optional<Reading> ReadForeignWord(std::string_view text, std::size_t i, const Lexicon& lexicon);
bool IsForeignLetter(char c);
// A word or number with a suffix after an apostrophe: 'Ankara'da'.
std::optional<Reading> ReadSuffixedWord(std::string_view text, std::size_t i,
                                        const Lexicon& lexicon);

// Helpers shared by the steps.
bool IsApostrophe(char c);
bool IsLowerLetter(char c);
bool IsUpperLetter(char c);
std::size_t LetterRunEnd(std::string_view text, std::size_t i);
// Words given with blanks between them ("artı eksi"), each its own token.
void SayWords(Reading& reading, std::string_view words, TokenKind kind = TokenKind::Expansion);
// The letters of a word said one by one by their names: 'tc' -> "te", "ce".
void SayLetters(Reading& reading, std::string_view letters);
// A run of digits as the tokenizer reads it: a leading '0' alone, so
// '0532' is "sıfır", "beş yüz otuz iki".
void SayDigits(Reading& reading, std::string_view digits);
// Joins a suffix written after an apostrophe to the last word: 'da' after
// "altı" gives "altıda"; "dört" softens to "dörd" before a vowel.
void JoinSuffix(Reading& reading, std::string_view text);

}  // namespace lirvan
