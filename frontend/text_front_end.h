#pragma once
// Turns one text into the ordered stream of tokens the engine speaks:
// tokenising, lower-casing, number words, lexicon, symbol names, markup,
// and each token's units.
#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/lexicon.h"
#include "frontend/markup.h"
#include "speech/units/syllabifier.h"
#include "speech/units/token.h"
#include "speech/units/token_sink.h"

namespace lirvan {

class UnitIndex;

class TextFrontEnd {
 public:
  // Loads both lexicons from veriler/ under the working directory.
  TextFrontEnd(TokenSink& sink, const UnitIndex& unitIndex);

  void SetText(std::string text);
  // Tokenises the stored text and hands every token to the sink; returns
  // when the last one is handed on, or early when the sink refuses one.
  void Run();

  // The expansion steps of one token (number words, lexicon, symbol
  // names); the token heads the resulting chain.
  void Expand(Token& token) const;

  const Syllabifier& syllabifier() const { return syllabifier_; }
  const UnitIndex& unitIndex() const { return unitIndex_; }

  // Written by the UI thread while a producer reads it.
  bool ReadPunctuation() const { return readPunctuation_.load(std::memory_order_relaxed); }
  void SetReadPunctuation(bool on) { readPunctuation_.store(on, std::memory_order_relaxed); }
  bool Busy() const { return busy_.load(std::memory_order_relaxed); }

  MarkupState& markup() { return markup_; }

 private:
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
  std::string text_;
  Syllabifier syllabifier_;
  MarkupState markup_;
  Lexicon lexicon_;
  bool markupEnabled_ = true;
  std::atomic<bool> readPunctuation_{true};
};

}  // namespace lirvan
