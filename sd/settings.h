#pragma once
// The speech parameters the server sets (SET) and the audio method it asks
// for (AUDIO), each line "name=value". Values are kept as the server's
// scale; the speaker maps them to the engine's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/punctuation.h"

namespace lirvan::sd {

// The server's four punctuation modes are the engine's four levels.
using Punctuation = PunctuationLevel;
enum class CapLetters { None, Spell, Icon };

struct Settings {
  int rate = 0;    // -100..100, 0 the voice's own
  int pitch = 0;   // -100..100
  int volume = 0;  // -100..100, 0 and above full volume
  Punctuation punctuation = Punctuation::None;
  bool spelling = false;
  CapLetters capLetters = CapLetters::None;
  std::string language = "tr";
  std::string voice = "male1";
  std::string synthesisVoice;  // empty: the default
};

// Applies the lines to the settings. Unknown names are ignored (the server
// sends more than a voice uses); a value that does not parse is an error,
// named in the result, and leaves that setting as it was.
std::vector<std::string> ApplySettings(Settings& settings, const std::vector<std::string>& lines);

enum class AudioMethod { Server, OwnDevice, Silent };

// The method from AUDIO's lines: "server" hands audio to the server; any
// device method plays through our own audio; "null" plays nowhere.
AudioMethod ParseAudioMethod(const std::vector<std::string>& lines);

// The rate of the engine, in percent, for the server's rate: 0 the voice's
// own, 100 four times as fast, -100 half as fast.
int EnginePercent(int rate);

// "name=value" split; nothing for a line without '='.
std::optional<std::pair<std::string_view, std::string_view>> SplitSetting(std::string_view line);

}  // namespace lirvan::sd
