#pragma once
// The punctuation level as the desktop keeps it: its name in the settings
// file's later line "noktalama=...", the words that announce it, and its
// storage beside the first line's on/off field, which keeps its meaning
// (0 for none, 1 for any other level) for readers of that line alone.
#include <optional>
#include <string>
#include <string_view>

#include "frontend/punctuation.h"
#include "shell/settings.h"

namespace lirvan {

inline constexpr const char* kPunctuationSetting = "noktalama";

// "yok", "bazi", "cogu", "hepsi".
std::string_view PunctuationLevelKey(PunctuationLevel level);
std::optional<PunctuationLevel> ParsePunctuationLevel(std::string_view key);

// What a level is called when spoken (CP1254): "bazı işaretler" ...
std::string PunctuationLevelWords(PunctuationLevel level);
// What Ctrl+M says (CP1254): "noktalama okuma kapalı", or "noktalama okuma
// açık, " and the level's words.
std::string PunctuationAnnouncement(PunctuationLevel level);

// The level the file asks for: the first line's switch off is none;
// switched on, the later line's level when it names one that reads
// something, else all.
PunctuationLevel StoredPunctuationLevel(const ProgramSettings& settings);

// Writes the later line when the first line cannot say the level (some,
// most) or when the file already has one; true when nothing failed.
bool WritePunctuationLevel(PunctuationLevel level, const std::string& path = kSettingsPath);

}  // namespace lirvan
