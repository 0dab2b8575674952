#include "frontend/text_front_end.h"

#include <algorithm>

#include "frontend/numbers.h"
#include "frontend/reading.h"
#include "frontend/symbols.h"
#include "platform/trace.h"
#include "speech/units/build_units.h"
#include "speech/units/chain.h"
#include "speech/units/char_class.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

// The Word tokens of a substitution text cut at blanks; null when the text
// holds a byte that is neither a letter nor a blank, or holds no word.
std::unique_ptr<Token> SubstitutionChain(std::string_view text) {
  for (char c : text) {
    if (c != ' ' && !IsLetter(c)) {
      TraceLine("Non alphanumeric value or not space character");
      return nullptr;
    }
  }
  Chain<Token> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t end = std::min(text.find(' ', i), text.size());
    std::unique_ptr<Token> word = MakeToken(text.substr(i, end - i));
    word->kind = TokenKind::Word;
    words.Append(std::move(word));
    i = end;
  }
  return words.Take();
}

// The token replaced by the words of text ('Dr' by 'doktor', 'bey'); the
// token itself when the text cannot be used.
std::unique_ptr<Token> Substituted(std::unique_ptr<Token> token, std::string_view text) {
  std::unique_ptr<Token> chain = SubstitutionChain(text);
  return chain ? std::move(chain) : std::move(token);
}

std::unique_ptr<Token> MakeTokenOfKind(std::string_view text, TokenKind kind) {
  std::unique_ptr<Token> token = MakeToken(text);
  token->kind = kind;
  return token;
}

// Sets the flag for exactly as long as Run works, whichever way it returns.
class BusyScope {
 public:
  explicit BusyScope(std::atomic<bool>& busy) : busy_(busy) { busy_.store(true); }
  ~BusyScope() { busy_.store(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  std::atomic<bool>& busy_;
};

}  // namespace

class TextFrontEnd::TagHost final : public MarkupHost {
 public:
  explicit TagHost(TextFrontEnd& frontEnd) : frontEnd_(frontEnd) {}
  // The punct element silences marks until it closes, within this text.
  void SetReadPunctuation(bool on) override { frontEnd_.markupSilencesMarks_ = !on; }
  bool SpeakSubstitution(std::string_view text) override {
    return frontEnd_.SpeakSubstitution(text);
  }

 private:
  TextFrontEnd& frontEnd_;
};

TextFrontEnd::TextFrontEnd(TokenSink& sink, const UnitIndex& unitIndex,
                           const std::filesystem::path& home)
    : sink_(sink), unitIndex_(unitIndex) {
  markup_.Reset();
  LoadAbbreviations(lexicon_, home);
  LoadExceptions(lexicon_, home);
}

void TextFrontEnd::SetText(std::string text) { text_ = {{std::move(text), false}}; }

void TextFrontEnd::SetText(SegmentedText text) { text_ = std::move(text); }

void TextFrontEnd::Run() {
  BusyScope busy(busy_);
  const SegmentedText text = text_;
  markupSilencesMarks_ = false;
  for (const TextSegment& segment : text) {
    plain_ = segment.plain;
    const bool going = RunSegment(segment.text);
    plain_ = false;
    if (!going) return;
  }
}

bool TextFrontEnd::RunSegment(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::optional<std::size_t> next = TakeReading(text, i);
    if (next) {
      if (*next == kStopped) return false;
      i = *next;
      continue;
    }
    switch (ClassOf(text[i])) {
      case CharClass::Letter:
        next = TakeWord(text, i);
        break;
      case CharClass::Digit:
        next = TakeNumber(text, i);
        break;
      case CharClass::Other:
        next = TakeSymbol(text, i);
        break;
    }
    if (!next) return false;  // the sink stopped us
    i = *next;
  }
  return true;
}

void TextFrontEnd::Expand(Token& token) const {
  ExpandNumber(token);
  std::string value = lexicon_.Lookup(token.spoken);
  if (!value.empty()) token.spoken = std::move(value);
  // Naming a symbol rebuilds the token's next link; keep what followed.
  std::unique_ptr<Token> rest = token.TakeNext();
  NameSymbol(token);
  AppendAfterLast(token, std::move(rest));
}

std::optional<std::size_t> TextFrontEnd::TakeWord(std::string_view text, std::size_t i) {
  std::size_t end = i;
  while (end < text.size() && IsLetter(text[end])) ++end;
  std::string_view word = text.substr(i, end - i);

  if (MarkupApplies() && !markup_.pendingSubstitution.empty()) {
    const std::string sub = std::move(markup_.pendingSubstitution);
    markup_.pendingSubstitution.clear();
    std::unique_ptr<Token> chain = Substituted(MakeTokenOfKind(word, TokenKind::Word), sub);
    if (!ExpandAndEmitEach(std::move(chain))) return std::nullopt;
    return end;
  }
  if (Dropping()) return end;

  std::unique_ptr<Token> token = MakeTokenOfKind(word, TokenKind::Word);
  Expand(*token);
  if (!Emit(std::move(token))) return std::nullopt;
  return end;
}

std::optional<std::size_t> TextFrontEnd::TakeNumber(std::string_view text, std::size_t i) {
  const std::size_t n = text.size();
  TokenKind kind = TokenKind::Cardinal;
  std::size_t digitsEnd = i + 1;
  std::size_t end = digitsEnd;
  // A leading '0' is always a number of its own: '007' is read digit by digit.
  if (text[i] != '0') {
    // '1.250.000' is one number; '3.14' and '1.5' are not.
    std::size_t grouped = GroupedNumberLength(text, i);
    digitsEnd = grouped > 0 ? i + grouped : i;
    if (grouped == 0) {
      while (digitsEnd < n && IsDigit(text[digitsEnd])) ++digitsEnd;
    }
    end = digitsEnd;
    // '1. madde' is the first article; '1. Madde' and '1.ay' are not ordinals.
    if (end < n && text[end] == '.') {
      std::size_t look = end + 1;
      while (look < n && text[look] == ' ') ++look;
      // Any lower-case letter: '1. adım' and '3. ünite' are ordinals too.
      if (look < n && IsLowerLetter(text[look])) {
        kind = TokenKind::Ordinal;
        TraceLine("Ranking number");
        ++end;
      }
    }
  }
  if (Dropping()) return end;

  std::unique_ptr<Token> token = MakeTokenOfKind(text.substr(i, digitsEnd - i), kind);
  Expand(*token);
  if (!Emit(std::move(token))) return std::nullopt;
  return end;
}

std::optional<std::size_t> TextFrontEnd::TakeReading(std::string_view text, std::size_t i) {
  // Markup that replaces words governs them before any reading does.
  if (Replacing()) return std::nullopt;
  std::optional<Reading> reading = ReadAhead(text, i, lexicon_);
  if (!reading) return std::nullopt;
  std::unique_ptr<Token> head;
  Token* tail = nullptr;
  for (ReadWord& word : reading->words) {
    auto token = std::make_unique<Token>();
    token->kind = word.kind;
    token->spoken = std::move(word.spoken);
    token->source = std::move(word.source);
    Token* raw = token.get();
    (tail ? tail->next : head) = std::move(token);
    tail = raw;
  }
  if (head) head->source.assign(text.substr(i, reading->end - i));
  if (!Emit(std::move(head))) return kStopped;
  return reading->end;
}

std::optional<std::size_t> TextFrontEnd::TakeSymbol(std::string_view text, std::size_t i) {
  if (text[i] == ' ') return i + 1;
  if (text[i] == '[' && MarkupApplies()) {
    TagHost host(*this);
    TagScan scan = markup_.ScanTag(text, i, sink_, host);
    if (scan.stopped) return std::nullopt;
    if (scan.next != i) return scan.next;
  }
  // A symbol takes in the dots right after it: '...' and '?.' are one each.
  std::size_t end = i + 1;
  while (end < text.size() && text[end] == '.') ++end;
  if (Dropping()) return end;

  std::unique_ptr<Token> token = MakeTokenOfKind(text.substr(i, end - i), TokenKind::Symbol);
  Expand(*token);
  if (token->kind == TokenKind::Symbol && SpeaksMark(text, i, end)) {
    if (!Emit(std::move(token))) return std::nullopt;
  }
  return end;
}

bool TextFrontEnd::SpeaksMark(std::string_view text, std::size_t i, std::size_t end) const {
  if (markupSilencesMarks_) return false;
  const bool inWord = i > 0 && end < text.size() && IsLetter(text[i - 1]) && IsLetter(text[end]);
  return ReadsMark(Punctuation(), text.substr(i, end - i), inWord);
}

bool TextFrontEnd::SpeakSubstitution(std::string_view text) {
  return ExpandAndEmitEach(Substituted(MakeToken(text), text));
}

bool TextFrontEnd::ExpandAndEmitEach(std::unique_ptr<Token> chain) {
  while (chain) {
    std::unique_ptr<Token> rest = chain->TakeNext();
    Expand(*chain);
    if (!Emit(std::move(chain))) return false;
    chain = std::move(rest);
  }
  return true;
}

bool TextFrontEnd::Emit(std::unique_ptr<Token> chain) {
  while (chain) {
    // A very long word is spoken in pieces: its sound is never built whole.
    chain = CutLongToken(std::move(chain));
    std::unique_ptr<Token> rest = chain->TakeNext();
    // Each token travels alone from here; links into its old chain would dangle.
    chain->previous = nullptr;
    chain->expansion = nullptr;
    if (chain->kind != TokenKind::Rule) BuildUnits(*chain, syllabifier_, unitIndex_);
    if (!sink_.Put(std::move(chain))) return false;
    chain = std::move(rest);
  }
  return true;
}

}  // namespace lirvan
