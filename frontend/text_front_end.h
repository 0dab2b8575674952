#pragma once
// Turns one text into the ordered stream of tokens the engine speaks:
// tokenising, lower-casing, number words, lexicon, symbol names, markup,
// and each token's units.
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/lexicon.h"
#include "frontend/markup.h"
#include "frontend/punctuation.h"
#include "frontend/text_segment.h"
#include "speech/units/syllabifier.h"
#include "speech/units/token.h"
#include "speech/units/token_sink.h"

namespace lirvan {

class UnitIndex;

class TextFrontEnd {
 public:
  // Loads both lexicons from veriler/ under the home folder (empty: the
  // working directory).
  TextFrontEnd(TokenSink& sink, const UnitIndex& unitIndex, const std::filesystem::path& home = {});

  // The program's own text: its markup is obeyed.
  void SetText(std::string text);
  // Pieces of which the plain ones are read as written: no tag is
  // recognised in them and no markup state is read or changed by them.
  void SetText(SegmentedText text);
  // Tokenises the stored text and hands every token to the sink; returns
  // when the last one is handed on, or early when the sink refuses one.
  void Run();

  // The expansion steps of one token (number words, lexicon, symbol
  // names); the token heads the resulting chain.
  void Expand(Token& token) const;

  const Syllabifier& syllabifier() const { return syllabifier_; }
  const UnitIndex& unitIndex() const { return unitIndex_; }

  // The user's punctuation level, written by the UI thread while a
  // producer reads it. The on/off switch is All or None.
  PunctuationLevel Punctuation() const { return punctuation_.load(std::memory_order_relaxed); }
  void SetPunctuation(PunctuationLevel level) {
    punctuation_.store(level, std::memory_order_relaxed);
  }
  bool ReadPunctuation() const { return Punctuation() != PunctuationLevel::None; }
  void SetReadPunctuation(bool on) {
    SetPunctuation(on ? PunctuationLevel::All : PunctuationLevel::None);
  }
  bool Busy() const { return busy_.load(std::memory_order_relaxed); }

  MarkupState& markup() { return markup_; }

 private:
  // One segment of the text; false when the sink stopped production.
  bool RunSegment(std::string_view text);
  // Whether markup governs the segment being read.
  bool MarkupApplies() const { return !plain_; }
  // A pronc element drops the words, numbers and symbols it holds.
  bool Dropping() const { return MarkupApplies() && !markup_.contentReplacement.empty(); }
  bool Replacing() const {
    return MarkupApplies() &&
           (!markup_.pendingSubstitution.empty() || !markup_.contentReplacement.empty());
  }
  // Whether the symbol text[i, end) is spoken at the current level.
  bool SpeaksMark(std::string_view text, std::size_t i, std::size_t end) const;

  // A word, number or symbol run starting at i; each returns where to go
  // on, or nothing when the sink stopped production.
  std::optional<std::size_t> TakeWord(std::string_view text, std::size_t i);
  std::optional<std::size_t> TakeNumber(std::string_view text, std::size_t i);
  std::optional<std::size_t> TakeSymbol(std::string_view text, std::size_t i);
  // A reading step's words for the text at i (reading.h); nothing when no
  // step applies, kStopped when the sink stopped production.
  std::optional<std::size_t> TakeReading(std::string_view text, std::size_t i);
  static constexpr std::size_t kStopped = static_cast<std::size_t>(-1);

  // Expands every token of a chain on its own, then emits it.
  bool ExpandAndEmitEach(std::unique_ptr<Token> chain);
  // Units for each token of the chain (Rule tokens excepted), then the
  // sink; false as soon as the sink refuses one.
  bool Emit(std::unique_ptr<Token> chain);

  // Speaks a pronc substitution in place; false when the sink stopped.
  bool SpeakSubstitution(std::string_view text);
  // What tags may do to the front end (punct, pronc).
  class TagHost;

  std::atomic<bool> busy_{false};
  TokenSink& sink_;
  const UnitIndex& unitIndex_;
  SegmentedText text_;
  bool plain_ = false;  // the segment being read came from outside
  // Set by a punct element for the rest of one text only; the user's level
  // is never changed by a text.
  bool markupSilencesMarks_ = false;
  Syllabifier syllabifier_;
  MarkupState markup_;
  Lexicon lexicon_;
  std::atomic<PunctuationLevel> punctuation_{PunctuationLevel::All};
};

}  // namespace lirvan
