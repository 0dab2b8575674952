// Dates and clock times: '08.12.2026', '8/12/2026', '2026-12-08',
// '14:30', 'saat 14.30'.
#include <array>

#include "frontend/reading.h"
#include "speech/units/char_class.h"

namespace lirvan {
namespace {

// CP1254: ş FE, ı FD, ğ F0, ü FC.
constexpr std::array<const char*, 12> kMonths = {
    "ocak", "\xFE" "ubat", "mart", "nisan", "may\xFD" "s", "haziran",
    "temmuz", "a\xF0" "ustos", "eyl\xFC" "l", "ekim", "kas\xFD" "m", "aral\xFD" "k"};

// A run of min..max digits at i; its value and end, or nothing.
struct Field {
  int value = 0;
  std::size_t end = 0;
};

std::optional<Field> DigitsAt(std::string_view text, std::size_t i, std::size_t min, std::size_t max) {
  Field f{0, i};
  while (f.end < text.size() && IsDigit(text[f.end]) && f.end - i < max) {
    f.value = f.value * 10 + (text[f.end] - '0');
    ++f.end;
  }
  if (f.end - i < min || (f.end < text.size() && IsDigit(text[f.end]))) return std::nullopt;
  return f;
}

bool StartsRun(std::string_view text, std::size_t i) {
  return i == 0 || (!IsDigit(text[i - 1]) && !IsLetter(text[i - 1]));
}

// Nothing that would make the field part of a longer number follows:
// no digit, and no separator followed by a digit.
bool EndsRun(std::string_view text, std::size_t end, char separator) {
  if (end >= text.size()) return true;
  if (IsDigit(text[end]) || IsLetter(text[end])) return false;
  return !(text[end] == separator && end + 1 < text.size() && IsDigit(text[end + 1]));
}

bool Expect(std::string_view text, std::size_t at, char c) { return at < text.size() && text[at] == c; }

std::optional<Reading> DayMonthYear(int day, int month, std::string_view year, std::size_t end) {
  if (day < 1 || day > 31 || month < 1 || month > 12) return std::nullopt;
  Reading r;
  r.end = end;
  r.Say(NumberWords(std::to_string(day), false));
  r.Say(kMonths[static_cast<std::size_t>(month - 1)]);
  SayDigits(r, year);
  return r;
}

// '2026-12-08'.
std::optional<Reading> IsoDate(std::string_view text, std::size_t i) {
  const auto year = DigitsAt(text, i, 4, 4);
  if (!year || !Expect(text, year->end, '-')) return std::nullopt;
  const auto month = DigitsAt(text, year->end + 1, 2, 2);
  if (!month || !Expect(text, month->end, '-')) return std::nullopt;
  const auto day = DigitsAt(text, month->end + 1, 2, 2);
  if (!day || !EndsRun(text, day->end, '-')) return std::nullopt;
  return DayMonthYear(day->value, month->value, text.substr(i, 4), day->end);
}

// Minutes or seconds after the hour: "otuz", "sıfır beş"; "00" says
// nothing for minutes (14:00 is "on dört") unless seconds follow.
void SayClockField(Reading& r, std::string_view two, bool sayZero) {
  if (two == "00" && !sayZero) return;
  SayDigits(r, two);
}

std::optional<Reading> Clock(std::string_view text, std::size_t i, char separator) {
  const auto hour = DigitsAt(text, i, 1, 2);
  if (!hour || hour->value > 24 || !Expect(text, hour->end, separator)) return std::nullopt;
  const auto minute = DigitsAt(text, hour->end + 1, 2, 2);
  if (!minute || minute->value > 59) return std::nullopt;
  std::optional<Field> second;
  if (separator == ':' && Expect(text, minute->end, ':')) {
    second = DigitsAt(text, minute->end + 1, 2, 2);
    if (!second || second->value > 59) return std::nullopt;
  }
  const std::size_t end = second ? second->end : minute->end;
  if (!EndsRun(text, end, separator)) return std::nullopt;
  Reading r;
  r.end = end;
  SayDigits(r, std::to_string(hour->value));
  SayClockField(r, text.substr(hour->end + 1, 2), second.has_value());
  if (second) SayClockField(r, text.substr(minute->end + 1, 2), true);
  return r;
}

// The word before i, past blanks, is "saat" (any case).
bool AfterSaat(std::string_view text, std::size_t i) {
  std::size_t p = i;
  while (p > 0 && text[p - 1] == ' ') --p;
  if (p == i || p < 4) return false;
  if (TurkishLower(text.substr(p - 4, 4)) != "saat") return false;
  return p == 4 || !IsLetter(text[p - 5]);
}

}  // namespace

std::optional<Reading> ReadDate(std::string_view text, std::size_t i) {
  if (!StartsRun(text, i) || (i > 0 && (text[i - 1] == '.' || text[i - 1] == '/'))) {
    return std::nullopt;
  }
  if (auto iso = IsoDate(text, i)) return iso;
  const auto day = DigitsAt(text, i, 1, 2);
  if (!day || day->end >= text.size()) return std::nullopt;
  const char separator = text[day->end];
  if (separator != '.' && separator != '/') return std::nullopt;
  const auto month = DigitsAt(text, day->end + 1, 1, 2);
  if (!month || !Expect(text, month->end, separator)) return std::nullopt;
  const auto year = DigitsAt(text, month->end + 1, 4, 4);
  if (!year || !EndsRun(text, year->end, separator)) return std::nullopt;
  return DayMonthYear(day->value, month->value, text.substr(month->end + 1, 4), year->end);
}

std::optional<Reading> ReadTime(std::string_view text, std::size_t i) {
  if (!StartsRun(text, i) || (i > 0 && (text[i - 1] == ':' || text[i - 1] == '.'))) {
    return std::nullopt;
  }
  if (auto clock = Clock(text, i, ':')) return clock;
  if (AfterSaat(text, i)) return Clock(text, i, '.');
  return std::nullopt;
}

}  // namespace lirvan
