#pragma once
// veriler/ayarlar.dat. The first line holds "greeting echo punctuation" as
// decimal integers, each setting stored in a byte; a reader of that format
// reads only it. Settings added since follow on later lines, one
// "name=value" each (for example "hiz=150"); names this program does not
// know are kept when the file is rewritten.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lirvan {

struct ProgramSettings {
  std::uint8_t readGreeting = 1;
  std::uint8_t echoCharacters = 0;
  std::uint8_t readPunctuation = 1;
  // The later lines in file order.
  std::vector<std::pair<std::string, std::string>> later;

  // The value of a later line, if the file has one.
  std::optional<std::string> Later(std::string_view name) const;
};

inline constexpr const char* kSettingsPath = "veriler/ayarlar.dat";
// The later line that says capital letters with "büyük" before them: 1 or 0.
inline constexpr const char* kCapitalsSetting = "buyukharf";

// The defaults 1 0 1 when the file cannot be opened. Otherwise only the
// first 6 characters of the first line count, and a value that does not
// parse is 0 (so an empty file switches everything off).
ProgramSettings ReadSettings(const std::string& path = kSettingsPath);

// Rewrites the first line with the three values (its first six bytes, as
// the format has always been written) and keeps the later lines; false
// when the file cannot be written, which then stays as it was.
bool WriteSettings(int greeting, int echo, int punctuation,
                   const std::string& path = kSettingsPath);

// Sets one later line and keeps everything else; a missing file gets the
// default first line.
bool WriteLaterSetting(std::string_view name, std::string_view value,
                       const std::string& path = kSettingsPath);

}  // namespace lirvan
