#include "sd/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "speech/synthesis/rate_output.h"

namespace lirvan::sd {
namespace {

bool ParseNumber(std::string_view text, int& out) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = std::clamp(value, -100, 100);
  return true;
}

bool ParsePunctuation(std::string_view text, Punctuation& out) {
  if (text == "none") out = Punctuation::None;
  else if (text == "some") out = Punctuation::Some;
  else if (text == "most") out = Punctuation::Most;
  else if (text == "all") out = Punctuation::All;
  else return false;
  return true;
}

bool ParseCapLetters(std::string_view text, CapLetters& out) {
  if (text == "none") out = CapLetters::None;
  else if (text == "spell") out = CapLetters::Spell;
  else if (text == "icon") out = CapLetters::Icon;
  else return false;
  return true;
}

bool ParseOnOff(std::string_view text, bool& out) {
  if (text == "on") out = true;
  else if (text == "off") out = false;
  else return false;
  return true;
}

// NULL means "the default" for every string setting.
bool ApplyOne(Settings& s, std::string_view name, std::string_view value) {
  if (value == "NULL") {
    const Settings defaults;
    if (name == "punctuation_mode") s.punctuation = defaults.punctuation;
    else if (name == "spelling_mode") s.spelling = defaults.spelling;
    else if (name == "cap_let_recogn") s.capLetters = defaults.capLetters;
    else if (name == "language") s.language = defaults.language;
    else if (name == "voice") s.voice = defaults.voice;
    else if (name == "synthesis_voice") s.synthesisVoice.clear();
    return true;
  }
  if (name == "rate") return ParseNumber(value, s.rate);
  if (name == "pitch") return ParseNumber(value, s.pitch);
  if (name == "volume") return ParseNumber(value, s.volume);
  if (name == "punctuation_mode") return ParsePunctuation(value, s.punctuation);
  if (name == "spelling_mode") return ParseOnOff(value, s.spelling);
  if (name == "cap_let_recogn") return ParseCapLetters(value, s.capLetters);
  if (name == "language") s.language = value;
  else if (name == "voice") s.voice = value;
  else if (name == "synthesis_voice") s.synthesisVoice = value;
  return true;
}

}  // namespace

std::optional<std::pair<std::string_view, std::string_view>> SplitSetting(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return std::pair{line.substr(0, eq), line.substr(eq + 1)};
}

std::vector<std::string> ApplySettings(Settings& settings, const std::vector<std::string>& lines) {
  std::vector<std::string> errors;
  for (const auto& line : lines) {
    const auto pair = SplitSetting(line);
    if (!pair || !ApplyOne(settings, pair->first, pair->second)) errors.push_back(line);
  }
  return errors;
}

AudioMethod ParseAudioMethod(const std::vector<std::string>& lines) {
  for (const auto& line : lines) {
    const auto pair = SplitSetting(line);
    if (!pair || pair->first != "audio_output_method") continue;
    // The first method of a list is the one asked for.
    const std::string_view first = pair->second.substr(0, pair->second.find(','));
    if (first == "server") return AudioMethod::Server;
    if (first == "null" || first == "none") return AudioMethod::Silent;
    return AudioMethod::OwnDevice;
  }
  return AudioMethod::OwnDevice;
}

int EnginePercent(int rate) {
  const double r = std::clamp(rate, -100, 100) / 100.0;
  const double factor = r >= 0 ? std::pow(4.0, r) : std::pow(2.0, r);
  return ClampRate(static_cast<int>(std::lround(kNormalRate * factor)));
}

}  // namespace lirvan::sd
