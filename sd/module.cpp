#include "sd/module.h"

#include <cstdio>
#include <exception>

#include "platform/trace.h"
#include "sd/spoken_names.h"
#include "speech/units/unit_index.h"

namespace lirvan::sd {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

void Log(const std::string& text) { std::fprintf(stderr, "sd_lirvan: %s\n", text.c_str()); }

}  // namespace

bool VoiceFilesPresent(const std::filesystem::path& home, std::string& reason) {
  std::error_code ec;
  for (const char* name : {"index.dat", "sesler.dat"}) {
    const std::filesystem::path file = home / "veriler" / name;
    if (!std::filesystem::is_regular_file(file, ec)) {
      reason = "the voice file " + file.string() + " is missing";
      return false;
    }
  }
  return true;
}

Module::Module(ModuleConfig config, int in, int out)
    : config_(std::move(config)), reader_(in), events_(out) {}

Module::~Module() {
  speaker_.reset();  // stops and joins before the engine goes
  engine_.reset();
  sink_.reset();
}

int Module::Run() {
  while (auto line = reader_.Next()) {
    if (!Handle(*line)) return 0;
    if (!events_.Ok()) return 1;  // the server has gone
  }
  return 0;
}

bool Module::Handle(const std::string& command) {
  if (command == "INIT") Init();
  else if (command == "AUDIO") Audio();
  else if (command == "SET") Set();
  else if (command == "LOGLEVEL") LogLevel();
  else if (command == "SPEAK") Speak(Kind::Text);
  else if (command == "CHAR") Speak(Kind::Char);
  else if (command == "KEY") Speak(Kind::Key);
  else if (command == "SOUND_ICON") Speak(Kind::Icon);
  else if (command == "STOP") { if (speaker_) speaker_->Stop(); }
  else if (command == "PAUSE") { if (speaker_) speaker_->Pause(); }
  else if (command == "LIST VOICES") ListVoices();
  else if (command == "QUIT") {
    if (speaker_) speaker_->Stop();
    events_.Lines({"210 OK QUIT"});
    return false;
  } else if (!command.empty()) {
    events_.Lines({"300 ERR UNKNOWN COMMAND"});
  }
  return true;
}

void Module::Init() {
  std::string reason = config_.error;
  if (reason.empty() && VoiceFilesPresent(config_.voiceHome, reason)) {
    const std::string line = "299-Lirvan Türkçe ses: " + config_.voiceHome.string();
    events_.Lines({line, "299 OK LOADED SUCCESSFULLY"});
    return;
  }
  Log(reason);
  const std::string line = "399-" + reason;
  events_.Lines({line, "399 ERR CANT INIT MODULE"});
}

// The engine and its sink are made once the audio method is known; a
// module tried by hand, never sent AUDIO, plays on our own device.
bool Module::EnsureEngine(AudioMethod method) {
  if (engine_) return true;
  try {
    sink_ = std::make_unique<AudioSink>(method, events_);
    EngineOptions options;
    options.home = config_.voiceHome;
    options.output = sink_.get();
    options.keepRecording = false;
    engine_ = std::make_unique<SpeechEngine>(options);
    speaker_ = std::make_unique<Speaker>(*engine_, *sink_, events_);
    return true;
  } catch (const std::exception& e) {
    Log(std::string("cannot start the voice: ") + e.what());
    speaker_.reset();
    engine_.reset();
    sink_.reset();
    return false;
  }
}

// A block longer than the bounds arrives cut: the log says so.
Block Module::ReadBlock() {
  Block block = reader_.ReadBlock();
  if (block.truncated) Log("a block longer than the bounds was cut");
  return block;
}

void Module::Audio() {
  events_.Lines({"207 OK RECEIVING AUDIO SETTINGS"});
  const Block block = ReadBlock();
  if (!block.complete) return;
  if (EnsureEngine(ParseAudioMethod(block.lines))) {
    events_.Lines({"203 OK AUDIO INITIALIZED"});
  } else {
    events_.Lines({"400 ERR CANT INIT AUDIO"});
  }
}

void Module::Set() {
  events_.Lines({"203 OK RECEIVING SETTINGS"});
  const Block block = ReadBlock();
  if (!block.complete) return;
  const std::vector<std::string> bad = ApplySettings(settings_, block.lines);
  for (const auto& line : bad) Log("a setting not understood: " + line);
  events_.Lines({bad.empty() ? "203 OK SETTINGS RECEIVED" : "303 ERR INVALID PARAMETER"});
}

// The server's log level: tracing on at the most detailed levels.
void Module::LogLevel() {
  events_.Lines({"207 OK RECEIVING LOGLEVEL"});
  const Block block = ReadBlock();
  if (!block.complete) return;
  for (const auto& line : block.lines) {
    const auto pair = SplitSetting(line);
    if (pair && pair->first == "log_level") SetTraceEnabled(pair->second == "5");
  }
  events_.Lines({"203 OK LOGLEVEL SET"});
}

void Module::Speak(Kind kind) {
  if (!EnsureEngine(AudioMethod::OwnDevice)) {
    events_.Lines({"401 ERR CANT SPEAK"});
    return;
  }
  if (!speaker_->ReadyForNext()) {
    events_.Lines({"301 ERR ALREADY SPEAKING"});
    return;
  }
  events_.Lines({"202 OK SEND DATA"});
  const Block block = ReadBlock();
  if (!block.complete) return;
  const std::string text = Joined(block.lines);
  Message message{{}, settings_};
  switch (kind) {
    case Kind::Text: message.pieces = WalkSsml(text); break;
    case Kind::Char: message.pieces = {{Piece::Kind::Text, SpelledText(text, settings_.capLetters), 0}}; break;
    case Kind::Key: message.pieces = {{Piece::Kind::Text, KeyText(text, settings_.capLetters), 0}}; break;
    case Kind::Icon: message.pieces = {{Piece::Kind::Icon, text, 0}}; break;
  }
  // Spelling is for SPEAK; a character or key is said by its name already.
  if (kind != Kind::Text) message.settings.spelling = false;
  events_.Lines({"200 OK SPEAKING"});
  speaker_->Start(std::move(message));
}

void Module::ListVoices() {
  events_.Lines({"200-lirvan\ttr\tnone", "200 OK VOICE LIST SENT"});
}

}  // namespace lirvan::sd
