#include "shell/settings.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace lirvan {

namespace {

// A settings file is a line and a few names; anything longer is not one.
constexpr std::size_t kMaxFileSize = 64 * 1024;

// One "%d" conversion: optional blanks, an optional sign, digits. Large
// values wrap instead of overflowing, since only the low byte is kept.
bool ParseInt(const char*& cursor, std::uint8_t& out) {
  const char* p = cursor;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  unsigned value = 0;
  while (std::isdigit(static_cast<unsigned char>(*p))) value = value * 10u + unsigned(*p++ - '0');
  if (negative) value = 0u - value;
  out = static_cast<std::uint8_t>(value & 0xFFu);
  cursor = p;
  return true;
}

struct SettingsText {
  std::string firstLine;  // without its line end
  std::vector<std::pair<std::string, std::string>> later;
};

std::optional<SettingsText> ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content(kMaxFileSize, '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  if (in.bad()) return std::nullopt;
  content.resize(static_cast<std::size_t>(in.gcount()));
  SettingsText text;
  std::istringstream lines(content);
  std::getline(lines, text.firstLine);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    text.later.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return text;
}

// Written beside the file and renamed over it, so a failed write never
// leaves it truncated.
bool WriteText(const SettingsText& text, const std::string& path) {
  std::string content = text.firstLine + "\n";
  for (const auto& [name, value] : text.later) content += name + "=" + value + "\n";
  const std::string temporary = path + ".yeni";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      out.close();
      ::unlink(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ProgramSettings::Later(std::string_view name) const {
  for (const auto& [key, value] : later) {
    if (key == name) return value;
  }
  return std::nullopt;
}

ProgramSettings ReadSettings(const std::string& path) {
  const std::optional<SettingsText> text = ReadText(path);
  if (!text) return {};
  ProgramSettings settings{0, 0, 0, text->later};
  const std::string counted = text->firstLine.substr(0, 6);
  const char* cursor = counted.c_str();
  if (ParseInt(cursor, settings.readGreeting) && ParseInt(cursor, settings.echoCharacters)) {
    ParseInt(cursor, settings.readPunctuation);
  }
  return settings;
}

bool WriteSettings(int greeting, int echo, int punctuation, const std::string& path) {
  SettingsText text = ReadText(path).value_or(SettingsText{});
  char line[64];
  std::snprintf(line, sizeof line, "%d %d %d\n", greeting, echo, punctuation);
  // Only the first six bytes have ever been written: three one-digit
  // values and the line end.
  text.firstLine.assign(line, std::min<std::size_t>(6, std::char_traits<char>::length(line)));
  if (!text.firstLine.empty() && text.firstLine.back() == '\n') text.firstLine.pop_back();
  return WriteText(text, path);
}

bool WriteLaterSetting(std::string_view name, std::string_view value, const std::string& path) {
  SettingsText text = ReadText(path).value_or(SettingsText{"1 0 1", {}});
  bool found = false;
  for (auto& [key, old] : text.later) {
    if (key == name) {
      old = value;
      found = true;
    }
  }
  if (!found) text.later.emplace_back(name, value);
  return WriteText(text, path);
}

}  // namespace lirvan
