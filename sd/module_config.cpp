#include "sd/module_config.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace lirvan::sd {
namespace {

// The value after the option's name: quoted, or the rest of the line.
std::string Value(std::string_view rest) {
  const std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  rest.remove_prefix(start);
  if (rest.front() == '"') {
    const std::size_t close = rest.find('"', 1);
    return std::string(rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  const std::size_t end = rest.find_last_not_of(" \t\r");
  return std::string(rest.substr(0, end + 1));
}

}  // namespace

ModuleConfig ParseModuleConfig(const std::string& text, const std::filesystem::path& base,
                               const std::filesystem::path& defaultHome) {
  ModuleConfig config{defaultHome, {}};
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const std::string_view rest = std::string_view(line).substr(start);
    const std::size_t nameEnd = rest.find_first_of(" \t");
    if (rest.substr(0, nameEnd) != "LirvanVoiceHome" || nameEnd == std::string_view::npos) continue;
    const std::filesystem::path home = Value(rest.substr(nameEnd));
    if (home.empty()) {
      config.error = "LirvanVoiceHome names no folder";
      continue;
    }
    config.voiceHome = home.is_absolute() ? home : base / home;
  }
  return config;
}

ModuleConfig ReadModuleConfig(const std::filesystem::path& file, const std::filesystem::path& defaultHome) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {defaultHome, "cannot read the configuration file " + file.string()};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseModuleConfig(text, file.parent_path(), defaultHome);
}

}  // namespace lirvan::sd
