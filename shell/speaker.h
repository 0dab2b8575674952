#pragma once
// The speak family as every tool sees it. Texts are CP1254 and taken by
// value; text from outside the program goes in Plain(...) segments so that
// markup in it is read as written. The application object speaks through
// the engine; a test can hand a view a fake that records what it was told.
#include <string>

#include "frontend/punctuation.h"
#include "shell/speech_text.h"

namespace lirvan {

class Speaker {
 public:
  virtual ~Speaker() = default;

  // Stops what is being said and starts the text; returns at once.
  virtual void Speak(SpeechText text) = 0;
  // Stops what is being said and returns when the text has been spoken.
  virtual void SpeakAndWait(SpeechText text) = 0;
  // The text as one number, on the calling thread, without stopping.
  virtual void SpeakDirect(std::string text) = 0;
  // The text as one word, on the calling thread, without stopping.
  virtual void SpeakVerbatim(std::string text) = 0;
  // One character by its name, on the calling thread.
  virtual void SpeakCharacter(char ch) = 0;
  virtual void StopSpeaking() = 0;
  virtual void SetPunctuationReading(int flag) = 0;
  virtual int IsPunctuationReading() const = 0;
  // The level behind the switch (on is all, off none). The desktop keeps
  // it and the level that Ctrl+M switches back on; a speaker without
  // levels has only the switch.
  virtual void SetPunctuationLevel(PunctuationLevel level) {
    SetPunctuationReading(level == PunctuationLevel::None ? 0 : 1);
  }
  virtual PunctuationLevel GetPunctuationLevel() const {
    return IsPunctuationReading() != 0 ? PunctuationLevel::All : PunctuationLevel::None;
  }
  virtual PunctuationLevel PunctuationLevelWhenOn() const { return PunctuationLevel::All; }
};

}  // namespace lirvan
