#pragma once
// Benchmarks use the build's home folder, with the generated voice.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/cp1254.h"

namespace lirvan::bench {

inline std::filesystem::path VoiceHome() {
  if (!std::filesystem::is_directory(LIRVAN_VOICE_HOME)) {
    std::fprintf(stderr, "cannot enter %s\n", LIRVAN_VOICE_HOME);
    std::exit(1);
  }
  return LIRVAN_VOICE_HOME;
}

// The Turkish prose of the tests, repeated to at least `bytes`, as CP1254.
inline std::string TurkishText(std::size_t bytes) {
  std::ifstream in(std::string(LIRVAN_SOURCE_DIR) + "/tests/data/turkce_metin.txt", std::ios::binary);
  const std::string utf8{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string once = Utf8ToCp1254(utf8);
  std::string text;
  while (text.size() < bytes) text += once + "\n";
  return text;
}

}  // namespace lirvan::bench
