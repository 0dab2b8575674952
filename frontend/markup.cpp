#include "frontend/markup.h"

#include <algorithm>
#include <stdexcept>

#include "frontend/markup_tags.h"
#include "speech/units/char_class.h"

namespace lirvan {
namespace {

using markup_detail::Note;

constexpr std::array<std::string_view, 16> kTagNames{
    "emph", "break", "pitch",   "rate",  "volume", "engine", "sable",  "pron",
    "sayas", "lang", "speaker", "pronc", "audio",  "marker", "div",    "punct"};

// Reset values by stack kind; kinds 11 to 13 start empty.
struct ResetValue {
  int kind;
  int value;
};
constexpr ResetValue kResetValues[] = {{0, 2},  {2, 666}, {3, 3}, {4, 3},
                                       {5, 2},  {8, 100}, {9, 1}, {10, 12}};

int SlotOf(int kind) {
  const auto& kinds = MarkupState::kStackKinds;
  auto found = std::find(kinds.begin(), kinds.end(), kind);
  if (found == kinds.end()) throw std::out_of_range("no markup stack of this kind");
  return static_cast<int>(found - kinds.begin());
}

// Tags whose closing tag pops their stack; the stack kind is the tag index.
bool HasStack(Tag tag) {
  switch (tag) {
    case Tag::Emph:
    case Tag::Pitch:
    case Tag::Rate:
    case Tag::Volume:
    case Tag::Engine:
    case Tag::Lang:
    case Tag::Speaker:
      return true;
    default:
      return false;
  }
}

}  // namespace

Tag LookupTag(std::string_view name) {
  for (std::size_t i = 0; i < kTagNames.size(); ++i) {
    if (kTagNames[i] == name) return static_cast<Tag>(i);
  }
  return Tag::Unknown;
}

std::string AttributeValue(std::string_view body, std::string_view name) {
  std::size_t at = body.find(name);
  if (at == std::string_view::npos) return {};
  std::size_t equals = body.find('=', at + name.size());
  if (equals == std::string_view::npos) return {};
  std::size_t open = body.find('"', equals + 1);
  if (open == std::string_view::npos) return {};
  std::size_t close = body.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(body.substr(open + 1, close - open - 1));
}

void MarkupState::Reset() {
  inMarkup = false;
  for (ValueStack& stack : stacks_) stack.Clear();
  for (const ResetValue& reset : kResetValues) Stack(reset.kind).Push(reset.value);
}

ValueStack& MarkupState::Stack(int kind) { return stacks_[static_cast<std::size_t>(SlotOf(kind))]; }

const ValueStack& MarkupState::Stack(int kind) const {
  return stacks_[static_cast<std::size_t>(SlotOf(kind))];
}

TagScan MarkupState::ScanTag(std::string_view text, std::size_t pos, TokenSink& sink,
                             MarkupHost& host) {
  const TagScan asText{pos, false};
  if (pos >= text.size() || text[pos] != '[') return asText;
  // The closing bracket must lie within kMaxTagLength bytes from the '['.
  std::string_view window = text.substr(pos, kMaxTagLength);
  std::size_t close = window.find(']');
  if (close == std::string_view::npos) {
    Note("sonda bulamadi");
    return asText;
  }
  close += pos;
  const TagScan consumed{close + 1, false};

  std::string body = TurkishLower(text.substr(pos + 1, close - pos - 1));
  std::string_view rest = body;
  const bool closing = !rest.empty() && rest.front() == '/';
  if (closing) rest.remove_prefix(1);
  std::size_t nameLength = 0;
  while (nameLength < rest.size() && IsLetter(rest[nameLength])) ++nameLength;
  const Tag tag = LookupTag(rest.substr(0, nameLength));

  // Outside a [sable] region every other tag is plain text.
  if (tag != Tag::Sable && !inMarkup) return asText;

  MarkupRule rule;
  bool makesRule = false;
  if (!closing) {
    if (tag == Tag::Unknown) {
      Note("Non recognized tag");
      return asText;
    }
    bool stopped = false;
    makesRule = OpenTag(tag, body, rule, host, stopped);
    if (stopped) return {consumed.next, true};
  } else {
    if (tag == Tag::Break || tag == Tag::Pron || tag == Tag::Unknown) {
      Note("NOn recognized tag");
      return asText;
    }
    CloseTag(tag, rule, host);
    makesRule = HasStack(tag);
  }

  if (!makesRule) return consumed;
  if (!rule.valid) {
    Note("--* Non valid rule or not implemented...");
    return consumed;
  }
  std::unique_ptr<Token> token = MakeToken(" ");
  token->kind = TokenKind::Rule;
  token->rule = rule;
  if (!sink.Put(std::move(token))) return {consumed.next, true};
  return consumed;
}

// Returns whether the tag yields a rule token (when the rule is valid).
bool MarkupState::OpenTag(Tag tag, std::string_view body, MarkupRule& rule, MarkupHost& host,
                          bool& stopped) {
  using namespace markup_detail;
  switch (tag) {
    case Tag::Emph:
      return ParseEmph(body, *this, rule);
    case Tag::Break:
      return ParseBreak(body, rule);
    case Tag::Pitch:
      return ParsePitch(body, *this, rule);
    case Tag::Rate:
      return ParseRate(body, *this, rule);
    case Tag::Volume:
      return ParseVolume(body, *this, rule);
    case Tag::Engine:
      return ParseEngine(body, *this, rule);
    case Tag::Lang:
      return ParseLang(body, *this, rule);
    case Tag::Speaker:
      return ParseSpeaker(body, *this, rule);
    case Tag::Sable:
      inMarkup = true;
      Note("I recognize Sable");
      return false;
    case Tag::Pron: {
      std::string sub = AttributeValue(body, "sub");
      if (!sub.empty()) pendingSubstitution = std::move(sub);
      return false;
    }
    case Tag::Sayas:
      Note("sayas mode: ", AttributeValue(body, "mode"));
      Note("sayas modetype: ", AttributeValue(body, "modetype"));
      return false;
    case Tag::Pronc: {
      std::string sub = AttributeValue(body, "sub");
      if (sub.empty()) return false;
      contentReplacement = sub;
      stopped = !host.SpeakSubstitution(sub);
      return false;
    }
    case Tag::Audio:
    case Tag::Marker:
    case Tag::Div:
      Note("I recognize ( ", body, " )");
      rule.valid = false;
      return true;
    case Tag::Punct:
      host.SetReadPunctuation(false);
      return false;
    case Tag::Unknown:
      break;
  }
  return false;
}

void MarkupState::CloseTag(Tag tag, MarkupRule& rule, MarkupHost& host) {
  if (HasStack(tag)) {
    const int kind = static_cast<int>(tag);
    ValueStack& stack = Stack(kind);
    if (stack.Depth() >= 2) {
      stack.Pop();
      Note("\t! Removing from stack");
    } else {
      rule.valid = false;  // only the reset value is left
    }
    rule.kind = kind;
    rule.value = stack.Top();
    return;
  }
  switch (tag) {
    case Tag::Sable:
      inMarkup = false;
      break;
    case Tag::Pronc:
      contentReplacement.clear();
      break;
    case Tag::Punct:
      host.SetReadPunctuation(true);
      break;
    default:
      break;  // sayas, audio, marker, div: nothing to undo
  }
}

}  // namespace lirvan
