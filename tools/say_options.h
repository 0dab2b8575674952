#pragma once
// The command line of lirvan-say.
#include <optional>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace lirvan {

struct SayOptions {
  std::string home;
  AudioBackendKind audio = AudioBackendKind::Default;
  std::string wavPath;  // empty: no recording kept or written
  std::string outPath;  // empty: played on the device; else written there as played
  int rate = 100;       // percent, as given (the engine clamps it)
  std::optional<std::string> units;  // UTF-8, names separated by blanks
  bool tokens = false;
  bool syllables = false;
  bool punctuation = true;
  bool interactive = false;
  bool plain = false;  // markup is read as written, never obeyed
  bool trace = false;
  std::vector<std::string> words;  // TEXT arguments or WORDs for --syllables (UTF-8)
};

// Returns the options, or nothing with a one-line reason in `error`.
std::optional<SayOptions> ParseSayOptions(const std::vector<std::string>& args,
                                          const std::string& defaultHome, std::string& error);

}  // namespace lirvan
