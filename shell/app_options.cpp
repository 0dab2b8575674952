#include "shell/app_options.h"

#include <filesystem>

namespace lirvan {

namespace {

std::string Absolute(const std::string& path, const std::string& startFolder) {
  const std::filesystem::path p(path);
  if (p.is_absolute()) return p.lexically_normal().string();
  return (std::filesystem::path(startFolder) / p).lexically_normal().string();
}

}  // namespace

ParsedOptions ParseAppOptions(const std::vector<std::string>& args, const std::string& defaultHome,
                              const std::string& startFolder) {
  AppOptions options;
  options.home = defaultHome;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--home" || arg == "--audio" || arg == "--speech-log") {
      if (!hasValue || args[i + 1].empty()) return {std::nullopt, arg + " needs a value"};
      const std::string& value = args[++i];
      if (arg == "--home") {
        options.home = Absolute(value, startFolder);
      } else if (arg == "--speech-log") {
        options.speechLogPath = Absolute(value, startFolder);
      } else if (!ParseAudioBackend(value, options.audio)) {
        return {std::nullopt, "--audio takes default, null or clocked, not " + value};
      }
    } else {
      return {std::nullopt, "unknown argument " + arg};
    }
  }
  return {options, {}};
}

}  // namespace lirvan
