#pragma once
// The editor's words over its CP1254 text with CR LF between lines. A word
// is a maximal run of characters other than blank and LF; CR belongs to a
// run but is never heard.
#include <string>
#include <string_view>

namespace lirvan {

// The text as the word operations read it, one CP1254 character at a time.
class CharacterSource {
 public:
  virtual ~CharacterSource() = default;
  virtual int Length() const = 0;
  virtual char At(int position) const = 0;  // 0 <= position < Length()
};

class StringSource : public CharacterSource {
 public:
  explicit StringSource(std::string_view text) : text_(text) {}
  int Length() const override { return static_cast<int>(text_.size()); }
  char At(int position) const override { return text_[static_cast<std::size_t>(position)]; }

 private:
  std::string_view text_;
};

// The word that ends at or before pos ("bir iki  " at 8 gives "iki").
std::string GetWordBefore(const CharacterSource& text, int pos);
// The word that contains pos; empty on a blank or LF or outside the text.
std::string GetWordAt(const CharacterSource& text, int pos);

// White space as the Turkish locale classifies a CP1254 character.
bool IsTurkishSpace(char ch);

// CR LF (and a lone LF) as one blank, for speaking a stretch of text.
std::string LinesAsBlanks(std::string_view text);

}  // namespace lirvan
