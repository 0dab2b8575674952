#include "frontend/markup_tags.h"

#include <optional>
#include <span>

namespace lirvan::markup_detail {
namespace {

struct Named {
  std::string_view word;
  int value;
};

constexpr Named kEmphLevels[] = {{"strong", 1}, {"moderate", 2}, {"none", 3}, {"reduced", 4}};
constexpr Named kBreakLevels[] = {{"large", 10}, {"medium", 20}, {"small", 30}, {"none", 40}};
constexpr Named kBreakTypes[] = {{"?", 1}, {".", 2}, {"!", 3}, {",", 4}};
// Pitch base, middle and range share the words; the scale sets the digit.
constexpr Named kPitchWords[] = {
    {"highest", 1}, {"high", 2}, {"medium", 3}, {"low", 4}, {"lowest", 5}};
constexpr Named kRateSpeeds[] = {
    {"fastest", 1}, {"fast", 2}, {"medium", 3}, {"slow", 4}, {"slowest", 5}};
constexpr Named kVolumeLevels[] = {{"loudest", 1}, {"loud", 2}, {"medium", 3}, {"quiet", 4}};
constexpr Named kEngineIds[] = {{"syllable", 1}, {"phonem", 2}};
constexpr Named kLangIds[] = {{"tr", 1}};
constexpr Named kGenders[] = {{"male", 10}, {"female", 20}};
constexpr Named kAges[] = {{"older", 1}, {"middle", 2}, {"younger", 3}, {"teen", 4}, {"child", 5}};

std::optional<int> Find(std::span<const Named> table, std::string_view word) {
  for (const Named& entry : table) {
    if (entry.word == word) return entry.value;
  }
  return std::nullopt;
}

void NoteBody(std::string_view body) { Note("I recognize ( ", body, " )"); }

// One attribute read against its table: absent gives the default, an
// unknown word nothing.
struct Reading {
  bool given;
  std::optional<int> value;
};

Reading Read(std::string_view body, std::string_view name, std::span<const Named> table,
             int absent) {
  std::string text = AttributeValue(body, name);
  if (text.empty()) return {false, absent};
  return {true, Find(table, text)};
}

// rate and volume: one attribute, pushed when known or absent.
bool ParseSingle(std::string_view body, MarkupState& state, MarkupRule& rule, int kind,
                 std::string_view attribute, std::span<const Named> table,
                 std::string_view ruleName, std::string_view unknownMessage) {
  NoteBody(body);
  Reading reading = Read(body, attribute, table, 3);
  rule.kind = kind;
  if (!reading.value) {
    Note(unknownMessage);
    rule.valid = false;
    rule.value = state.Stack(kind).Top();
    return true;
  }
  Note("New ", ruleName, " rule: ", *reading.value);
  Note("\tPushing to stack");
  state.Stack(kind).Push(*reading.value);
  rule.value = *reading.value;
  return true;
}

}  // namespace

bool ParseEmph(std::string_view body, MarkupState& state, MarkupRule& rule) {
  NoteBody(body);
  ValueStack& stack = state.Stack(0);
  Reading level = Read(body, "level", kEmphLevels, 2);
  if (!level.given) {
    stack.Push(2);
  } else if (level.value) {
    Note("\t! Pushing to stack");
    stack.Push(*level.value);
    Note("New emph rule: ", stack.Top());
  } else {
    Note("Non recognized emph level value");
    rule.valid = false;
  }
  rule.kind = 0;
  rule.value = stack.Top();
  return true;
}

bool ParseBreak(std::string_view body, MarkupRule& rule) {
  NoteBody(body);
  Reading level = Read(body, "level", kBreakLevels, 20);
  Reading type = Read(body, "type", kBreakTypes, 2);
  if (!level.value) {
    Note("Non recognized break level value");
    rule.valid = false;
  }
  if (!type.value) {
    Note("Non recognized break type value");
    rule.valid = false;
  }
  rule.kind = 1;
  rule.value = level.value.value_or(0) + type.value.value_or(0);
  Note("New break rule: ", rule.value);
  return true;
}

bool ParsePitch(std::string_view body, MarkupState& state, MarkupRule& rule) {
  NoteBody(body);
  Reading base = Read(body, "base", kPitchWords, 3);
  Reading middle = Read(body, "middle", kPitchWords, 3);
  Reading range = Read(body, "range", kPitchWords, 3);
  if (!base.value) Note("Non recognized pitch base value");
  if (!middle.value) Note("Non recognized pitch middle value");
  if (!range.value) rule.valid = false;  // no message for the range
  int sum = base.value.value_or(0) * 100 + middle.value.value_or(0) * 10 + range.value.value_or(0);
  Note("\tPushing to stack");
  state.Stack(2).Push(sum);
  Note("New pitch rule: ", sum);
  rule.kind = 2;
  rule.value = sum;
  return true;
}

bool ParseRate(std::string_view body, MarkupState& state, MarkupRule& rule) {
  return ParseSingle(body, state, rule, 3, "speed", kRateSpeeds, "rate",
                     "Non recognized speed value");
}

bool ParseVolume(std::string_view body, MarkupState& state, MarkupRule& rule) {
  return ParseSingle(body, state, rule, 4, "level", kVolumeLevels, "volume",
                     "Non recognized volume level value");
}

bool ParseEngine(std::string_view body, MarkupState& state, MarkupRule& rule) {
  NoteBody(body);
  Reading id = Read(body, "id", kEngineIds, 0);
  if (!id.given) return false;
  rule.kind = 5;
  if (id.value) {
    Note("New engine rule: ", *id.value);
  } else {
    Note("Non recognized engine id value");
    rule.valid = false;
  }
  Note("\tPushing to stack");
  state.Stack(5).Push(id.value.value_or(0));
  rule.value = state.Stack(5).Top();
  return true;
}

bool ParseLang(std::string_view body, MarkupState& state, MarkupRule& rule) {
  NoteBody(body);
  Reading id = Read(body, "id", kLangIds, 0);
  if (!id.given) return false;
  rule.kind = 9;
  if (!id.value) {
    Note("Non recognized lang id value");
    rule.valid = false;
    rule.value = state.Stack(9).Top();
    return true;
  }
  Note("New lang rule: ", *id.value);
  Note("\tPushing to stack");
  state.Stack(9).Push(*id.value);
  rule.value = *id.value;
  return true;
}

bool ParseSpeaker(std::string_view body, MarkupState& state, MarkupRule& rule) {
  NoteBody(body);
  Reading gender = Read(body, "gender", kGenders, 0);
  Reading age = Read(body, "age", kAges, 0);
  if (!gender.value) Note("Non recognized gender spec");
  if (!age.value) {
    Note("Non recognized age spec");
    rule.valid = false;
  }
  int sum = gender.value.value_or(0) + age.value.value_or(0);
  Note("New speaker rule: ", sum);
  Note("\tPushing to stack");
  state.Stack(10).Push(sum);
  rule.kind = 10;
  rule.value = sum;
  return true;
}

}  // namespace lirvan::markup_detail
