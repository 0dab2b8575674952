#pragma once
// The program's own command-line options, after Qt has taken its own:
// --home DIR, --audio default|null|clocked, --speech-log FILE.
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace lirvan {

struct AppOptions {
  std::string home;           // folder holding veriler/; the program works in it
  AudioBackendKind audio = AudioBackendKind::Default;
  std::string speechLogPath;  // empty: no log; otherwise absolute
};

struct ParsedOptions {
  std::optional<AppOptions> options;
  std::string error;  // when options is empty
};

// args: the arguments after the program name. Relative paths are taken
// against startFolder, the folder the program was started in.
ParsedOptions ParseAppOptions(const std::vector<std::string>& args, const std::string& defaultHome,
                              const std::string& startFolder);

inline constexpr const char* kUsage =
    "usage: lirvan [--home DIR] [--audio default|null|clocked] [--speech-log FILE]";

}  // namespace lirvan
