#include "shell/punctuation_setting.h"

#include <array>

#include "shell/text.h"

namespace lirvan {
namespace {

struct LevelText {
  PunctuationLevel level;
  std::string_view key;
  const char* words;  // UTF-8
};

constexpr std::array<LevelText, 4> kLevels{{
    {PunctuationLevel::None, "yok", "hiçbir işaret"},
    {PunctuationLevel::Some, "bazi", "bazı işaretler"},
    {PunctuationLevel::Most, "cogu", "çoğu işaret"},
    {PunctuationLevel::All, "hepsi", "tüm işaretler"},
}};

const LevelText& TextOf(PunctuationLevel level) {
  return kLevels[static_cast<std::size_t>(level) % kLevels.size()];
}

}  // namespace

std::string_view PunctuationLevelKey(PunctuationLevel level) { return TextOf(level).key; }

std::optional<PunctuationLevel> ParsePunctuationLevel(std::string_view key) {
  for (const LevelText& text : kLevels) {
    if (text.key == key) return text.level;
  }
  return std::nullopt;
}

std::string PunctuationLevelWords(PunctuationLevel level) { return Cp(TextOf(level).words); }

std::string PunctuationAnnouncement(PunctuationLevel level) {
  if (level == PunctuationLevel::None) return Cp("noktalama okuma kapalı");
  return Cp("noktalama okuma açık, ") + PunctuationLevelWords(level);
}

PunctuationLevel StoredPunctuationLevel(const ProgramSettings& settings) {
  if (settings.readPunctuation == 0) return PunctuationLevel::None;
  const std::optional<PunctuationLevel> later =
      ParsePunctuationLevel(settings.Later(kPunctuationSetting).value_or(""));
  return later && *later != PunctuationLevel::None ? *later : PunctuationLevel::All;
}

bool WritePunctuationLevel(PunctuationLevel level, const std::string& path) {
  const bool between = level == PunctuationLevel::Some || level == PunctuationLevel::Most;
  if (!between && !ReadSettings(path).Later(kPunctuationSetting)) return true;
  return WriteLaterSetting(kPunctuationSetting, PunctuationLevelKey(level), path);
}

}  // namespace lirvan
