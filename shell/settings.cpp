#include "shell/settings.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace lirvan {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

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

}  // namespace

ProgramSettings ReadSettings(const std::string& path) {
  File file(std::fopen(path.c_str(), "r"));
  if (!file) return {};
  ProgramSettings settings{0, 0, 0};
  char line[7] = {};
  if (std::fgets(line, sizeof line, file.get()) == nullptr) return settings;
  const char* cursor = line;
  if (ParseInt(cursor, settings.readGreeting) && ParseInt(cursor, settings.echoCharacters)) {
    ParseInt(cursor, settings.readPunctuation);
  }
  return settings;
}

bool WriteSettings(int greeting, int echo, int punctuation, const std::string& path) {
  File file(std::fopen(path.c_str(), "w"));
  if (!file) return false;
  char text[64];
  std::snprintf(text, sizeof text, "%d %d %d\n", greeting, echo, punctuation);
  // Three one-digit values and the line end are the first six bytes.
  const std::size_t length = std::min<std::size_t>(6, std::strlen(text));
  const bool written = std::fwrite(text, 1, length, file.get()) == length;
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace lirvan
