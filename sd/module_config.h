#pragma once
// The module's configuration file, in speech-dispatcher's style: one
// option a line, a name and a quoted value, '#' starting a comment.
//   LirvanVoiceHome "/usr/share/lirvan"   the folder holding veriler/
#include <filesystem>
#include <string>

namespace lirvan::sd {

struct ModuleConfig {
  std::filesystem::path voiceHome;
  std::string error;  // why the file could not be used; empty when it could
};

// Options not known are left for other programs; a relative folder is
// taken from the configuration file's own folder.
ModuleConfig ReadModuleConfig(const std::filesystem::path& file, const std::filesystem::path& defaultHome);

// The same from the file's text (for tests).
ModuleConfig ParseModuleConfig(const std::string& text, const std::filesystem::path& base,
                               const std::filesystem::path& defaultHome);

}  // namespace lirvan::sd
