#pragma once
// A private home for a timing run of the desktop: links to the voice and
// the data files of a built home, without its settings file.
#include <filesystem>
#include <string>

namespace lirvan::bench {

inline bool LinkVoiceHome(const std::string& source, const std::string& target) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(fs::path(target) / "veriler", error);
  for (const auto& entry : fs::directory_iterator(fs::path(source) / "veriler", error)) {
    if (entry.path().filename() == "ayarlar.dat") continue;
    fs::create_symlink(entry.path(), fs::path(target) / "veriler" / entry.path().filename(), error);
  }
  return !error;
}

}  // namespace lirvan::bench
