#include "frontend/lexicon.h"

#include <fstream>
#include <string>

#include "platform/trace.h"
#include "speech/units/token.h"

namespace lirvan {
namespace {

// White space of the C locale; bytes 0x80-0xFF never are.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// A word longer than one token may speak is never stored; it is kept only
// as far as needed to know that it is too long.
constexpr std::size_t kLongestWord = kLongestSpoken;

// The next word, skipping white space before it; false at end of file.
bool ReadWord(std::istream& in, std::string& word) {
  word.clear();
  std::istreambuf_iterator<char> it(in);
  const std::istreambuf_iterator<char> end;
  while (it != end && IsSpace(*it)) ++it;
  bool any = false;
  for (; it != end && !IsSpace(*it); ++it) {
    any = true;
    if (word.size() <= kLongestWord) word += *it;
  }
  return any;
}

struct LexiconFile {
  const char* path;
  const char* openError;
  const char* counted;
};

constexpr LexiconFile kAbbreviations = {"veriler/kisaltmalar.txt",
                                        "error loading abbreviations file", " abbreviation(s)"};
constexpr LexiconFile kExceptions = {"veriler/istisnalar.txt", "error loading exceptions file",
                                     " exception(s)"};

// Pairs of words, key then value; line breaks carry no meaning. A lone last
// key is still stored, with an empty value that never replaces anything. A
// pair with a word longer than a token may be is counted but not stored: a
// value of megabytes would otherwise be spoken wherever its key is written.
void Load(Lexicon& lexicon, const LexiconFile& file, const std::filesystem::path& home) {
  std::ifstream in(home / file.path, std::ios::binary);
  if (!in) TraceLine(file.openError);
  long count = 0;
  std::string key;
  std::string value;
  while (in && ReadWord(in, key)) {
    ++count;
    ReadWord(in, value);
    if (value.empty()) TraceLine("Invalid exceptions file format at line " + std::to_string(count));
    if (key.size() > kLongestWord || value.size() > kLongestWord) {
      TraceLine("Lexicon word too long at line " + std::to_string(count));
      continue;
    }
    lexicon.Insert(key, value);
  }
  TraceLine("Loaded " + std::to_string(count) + file.counted);
}

}  // namespace

std::string Lexicon::Lookup(std::string_view key) const { return std::string(trie_.Lookup(key)); }

void Lexicon::Insert(std::string_view key, std::string_view value) { trie_.Insert(key, value); }

void LoadAbbreviations(Lexicon& lexicon, const std::filesystem::path& home) {
  Load(lexicon, kAbbreviations, home);
}
void LoadExceptions(Lexicon& lexicon, const std::filesystem::path& home) {
  Load(lexicon, kExceptions, home);
}

}  // namespace lirvan
