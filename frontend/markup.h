#pragma once
// Bracketed SABLE markup: '[sable]' opens a marked-up region in which tags
// such as '[emph level="strong"]' or '[break]' change the markup state and
// put Rule tokens into the stream at the place of the tag. Tags are never
// spoken; a tag that is not understood is read as ordinary text.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "frontend/value_stack.h"
#include "speech/units/token.h"
#include "speech/units/token_sink.h"

namespace lirvan {

// Tag indices, by position in the tag table.
enum class Tag : int {
  Emph = 0,
  Break = 1,
  Pitch = 2,
  Rate = 3,
  Volume = 4,
  Engine = 5,
  Sable = 6,
  Pron = 7,
  Sayas = 8,
  Lang = 9,
  Speaker = 10,
  Pronc = 11,
  Audio = 12,
  Marker = 13,
  Div = 14,
  Punct = 15,
  Unknown = 16,
};

// The table index of a tag name (exact, lower case), Tag::Unknown when none.
Tag LookupTag(std::string_view name);

// The value of one attribute in a tag body: the text between the first two
// double quotes after the first '=' that follows the first occurrence of
// name. Empty when any of these is missing.
std::string AttributeValue(std::string_view body, std::string_view name);

// Tags longer than this (the '[' and the ']' included) are read as text.
inline constexpr std::size_t kMaxTagLength = 400;

// What a tag may do beyond the markup state and the rule tokens.
class MarkupHost {
 public:
  virtual void SetReadPunctuation(bool on) = 0;
  // Speaks the words of a pronc substitution at once, in place of the
  // element's content. False when the sink stopped production.
  virtual bool SpeakSubstitution(std::string_view text) = 0;

 protected:
  ~MarkupHost() = default;
};

struct TagScan {
  std::size_t next = 0;  // where the tokenizer goes on; the '[' itself when not consumed
  bool stopped = false;  // the sink refused a token: stop producing
};

class MarkupState {
 public:
  // Stack kinds that exist; kind 1 (break) has none.
  static constexpr std::array<int, 11> kStackKinds{0, 2, 3, 4, 5, 8, 9, 10, 11, 12, 13};

  MarkupState() { Reset(); }

  // Leaves no region open and every stack holding only its reset value.
  void Reset();

  // Called with the position of a '['. A consumed tag updates the state and
  // may put one Rule token into the sink; next is then the byte after ']'.
  TagScan ScanTag(std::string_view text, std::size_t pos, TokenSink& sink, MarkupHost& host);

  // Throws std::out_of_range for a kind without a stack.
  ValueStack& Stack(int kind);
  const ValueStack& Stack(int kind) const;

  std::string pendingSubstitution;  // pron: replaces the next word, then cleared
  std::string contentReplacement;   // pronc: while set, the text's own content is dropped
  bool inMarkup = false;            // between [sable] and [/sable]

 private:
  bool OpenTag(Tag tag, std::string_view body, MarkupRule& rule, MarkupHost& host, bool& stopped);
  void CloseTag(Tag tag, MarkupRule& rule, MarkupHost& host);

  std::array<ValueStack, kStackKinds.size()> stacks_;
};

}  // namespace lirvan
