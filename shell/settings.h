#pragma once
// veriler/ayarlar.dat: one line "greeting echo punctuation" of decimal
// integers, each setting stored in a byte.
#include <cstdint>
#include <string>

namespace lirvan {

struct ProgramSettings {
  std::uint8_t readGreeting = 1;
  std::uint8_t echoCharacters = 0;
  std::uint8_t readPunctuation = 1;
};

inline constexpr const char* kSettingsPath = "veriler/ayarlar.dat";

// The defaults 1 0 1 when the file cannot be opened. Otherwise only the
// first 6 characters of the first line count, and a value that does not
// parse is 0 (so an empty file switches everything off).
ProgramSettings ReadSettings(const std::string& path = kSettingsPath);

// Creates or truncates the file; false when it cannot be written.
bool WriteSettings(int greeting, int echo, int punctuation,
                   const std::string& path = kSettingsPath);

}  // namespace lirvan
