#pragma once
// The output module: reads the server's commands, answers each, and speaks
// through the engine. Events come from the speaker's thread between
// commands, never between a command and its answer.
#include <filesystem>
#include <memory>
#include <string>

#include "sd/audio_sink.h"
#include "sd/event_writer.h"
#include "sd/line_reader.h"
#include "sd/module_config.h"
#include "sd/settings.h"
#include "sd/speaker.h"
#include "speech/engine/speech_engine.h"

namespace lirvan::sd {

class Module {
 public:
  Module(ModuleConfig config, int in, int out);
  ~Module();
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // Serves until QUIT or the end of the input; the process's exit status.
  int Run();

 private:
  enum class Kind { Text, Char, Key, Icon };
  bool Handle(const std::string& command);
  void Init();
  Block ReadBlock();
  void Audio();
  void Set();
  void LogLevel();
  void Speak(Kind kind);
  void ListVoices();
  bool EnsureEngine(AudioMethod method);

  ModuleConfig config_;
  LineReader reader_;
  EventWriter events_;
  Settings settings_;
  std::unique_ptr<AudioSink> sink_;
  std::unique_ptr<SpeechEngine> engine_;
  std::unique_ptr<Speaker> speaker_;  // last: it uses the engine and the sink
};

// The voice's files in a home folder; false, with the reason, when missing.
bool VoiceFilesPresent(const std::filesystem::path& home, std::string& reason);

}  // namespace lirvan::sd
