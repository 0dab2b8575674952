#pragma once
// A host for a tool view under test without the desktop or the engine: it
// records every call of the speak family as the speech log would write it
// (operation and CP1254 text), and runs no dialog.
#include <string>
#include <vector>

#include "shell/speaker.h"
#include "shell/tool_host.h"

namespace lirvan::test {

struct SpokenCall {
  std::string operation;
  std::string text;  // CP1254, segments joined
  bool plain = false;  // every segment came from outside
  bool operator==(const SpokenCall&) const = default;
};

class FakeHost : public ToolHost, public Speaker {
 public:
  Speaker& speaker() override { return *this; }
  bool EchoCharacters() const override { return echo; }
  bool AnnounceCapitals() const override { return capitals; }
  void RunSettingsDialog(QWidget* /*parent*/) override { ++settingsDialogs; }

  void Speak(SpeechText text) override { Record("Speak", text); }
  void SpeakAndWait(SpeechText text) override { Record("SpeakAndWait", text); }
  void SpeakDirect(std::string text) override { calls.push_back({"SpeakDirect", text}); }
  void SpeakVerbatim(std::string text) override { calls.push_back({"SpeakVerbatim", text}); }
  void SpeakCharacter(char ch) override { calls.push_back({"SpeakCharacter", std::string(1, ch)}); }
  void StopSpeaking() override { calls.push_back({"StopSpeaking", {}}); }
  void SetPunctuationReading(int flag) override { punctuation = flag & 0xFF; }
  int IsPunctuationReading() const override { return punctuation != 0 ? 1 : 0; }

  bool echo = false;
  bool capitals = false;
  int punctuation = 1;
  int settingsDialogs = 0;
  std::vector<SpokenCall> calls;

 private:
  void Record(const char* operation, const SpeechText& text) {
    calls.push_back({operation, text.Joined(), !text.segments().empty() && text.IsPlainOnly()});
  }
};

}  // namespace lirvan::test
