// lirvan-say: speaks Turkish text with Lirvan's engine from the command line.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "frontend/speech_text.h"
#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "platform/trace.h"
#include "speech/engine/speech_engine.h"
#include "speech/synthesis/file_output.h"
#include "speech/synthesis/rate_output.h"
#include "speech/units/char_class.h"
#include "speech/units/token.h"
#include "speech/units/token_format.h"
#include "speech/units/unit_index.h"
#include "tools/say_options.h"

namespace {

using namespace lirvan;

constexpr const char* kUsage =
    "usage: lirvan-say [--home DIR] [--audio default|null] [--rate PERCENT] [--out FILE] "
    "[--wav FILE] [--trace] [--no-punctuation] [--plain] (TEXT... | --units \"u1 u2\" | "
    "--tokens [TEXT...] | --syllables WORD... | --interactive)";

// The text as the engine takes it: with --plain, brackets in it are read
// as the characters they are and no markup is obeyed.
SegmentedText ForEngine(const std::string& utf8, bool plain) {
  return {{SpeechTextFromUtf8(utf8), plain}};
}

std::string ReadAll(std::istream& in) {
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& w : words) {
    if (!text.empty()) text += ' ';
    text += w;
  }
  return text;
}

// Prints each token as it is emitted.
class PrintingSink final : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token> t) override {
    std::cout << FormatToken(*t) << '\n';
    return true;
  }
};

int PrintTokens(const std::filesystem::path& home, const std::string& text, const SayOptions& options) {
  UnitIndex index(IndexFile(home));
  PrintingSink sink;
  TextFrontEnd frontEnd(sink, index, home);
  frontEnd.SetReadPunctuation(options.punctuation);
  frontEnd.SetText(ForEngine(text, options.plain));
  frontEnd.Run();
  std::cout.flush();
  return 0;
}

int PrintSyllables(const std::filesystem::path& home, const std::vector<std::string>& words) {
  UnitIndex index(IndexFile(home));
  Syllabifier syllabifier;
  for (const auto& word : words) {
    std::cout << Cp1254ToUtf8(syllabifier.Syllabify(TurkishLower(Utf8ToCp1254(word)), index)) << '\n';
  }
  return 0;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  return std::filesystem::absolute(path, ec).string();
}

// A WAVE file holds at most 4 GiB of sound: past that it goes on in more
// files, and the user is told which.
void ReportSplit(const std::vector<std::filesystem::path>& files) {
  if (files.size() < 2) return;
  std::string names;
  for (const auto& file : files) names += (names.empty() ? "" : ", ") + file.string();
  std::fprintf(stderr, "lirvan-say: a WAVE file holds at most 4 GiB; the sound is in %s\n", names.c_str());
}

void SpeakInteractive(SpeechEngine& engine, bool plain) {
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      engine.Stop();
    } else {
      engine.Speak(ForEngine(line, plain));
    }
  }
  engine.WaitUntilDone();
}

// Speaks on the device, or writes what is played to --out; keeps the
// recording only when --wav will save it.
int Speak(const SayOptions& options, const std::filesystem::path& home, const std::string& text) {
  EngineOptions engineOptions;
  engineOptions.audio = options.audio;
  engineOptions.home = home;
  engineOptions.rate = ClampRate(options.rate);
  engineOptions.keepRecording = !options.wavPath.empty();
  // A file is written fastest on one thread: no token waits for a thread
  // to be woken. Lines typed one by one still need the threads, to be cut.
  engineOptions.useThreads = options.outPath.empty() || options.interactive;
  // A file may take a book: the voice is read as it is played.
  engineOptions.preloadVoice = options.outPath.empty();
  if (engineOptions.rate != options.rate) {
    std::fprintf(stderr, "lirvan-say: the rate is %d to %d percent; speaking at %d\n", kMinRate,
                 kMaxRate, engineOptions.rate);
  }
  std::optional<FileOutput> file;
  if (!options.outPath.empty()) engineOptions.output = &file.emplace(options.outPath);
  SpeechEngine engine(engineOptions);
  if (file && !file->Ok()) {
    std::fprintf(stderr, "lirvan-say: cannot write %s\n", Absolute(options.outPath).c_str());
    return 1;
  }
  engine.SetPunctuationReading(options.punctuation ? 1 : 0);
  if (options.units) {
    engine.PlayUnits(Utf8ToCp1254(*options.units));
  } else if (options.interactive) {
    SpeakInteractive(engine, options.plain);
  } else {
    engine.SpeakAndWait(ForEngine(text, options.plain));
  }
  int status = 0;
  if (file) {
    if (!file->Finish()) {
      std::fprintf(stderr, "lirvan-say: cannot write %s\n", Absolute(options.outPath).c_str());
      status = 1;
    }
    ReportSplit(file->Files());
  }
  if (!options.wavPath.empty()) {
    const SavedRecording saved = engine.SaveRecording(options.wavPath);
    if (!saved) {
      std::fprintf(stderr, "lirvan-say: cannot write %s\n", Absolute(options.wavPath).c_str());
      status = 1;
    }
    ReportSplit(saved.files);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = ParseSayOptions(std::vector<std::string>(argv + 1, argv + argc),
                                       LIRVAN_DEFAULT_HOME, error);
  if (!options) {
    std::fprintf(stderr, "lirvan-say: %s\n%s\n", error.c_str(), kUsage);
    return 2;
  }
  SetTraceEnabled(options->trace);
  // The program works inside the home folder; paths on the command line
  // stay relative to where it started.
  std::error_code ec;
  const std::filesystem::path home = std::filesystem::absolute(options->home, ec);
  if (ec || !std::filesystem::is_directory(home, ec)) {
    std::fprintf(stderr, "lirvan-say: cannot enter the home folder %s\n%s\n", options->home.c_str(), kUsage);
    return 2;
  }
  if (options->syllables) return PrintSyllables(home, options->words);
  const std::string text = options->words.empty() && !options->units && !options->interactive
                               ? ReadAll(std::cin)
                               : Joined(options->words);
  if (options->tokens) return PrintTokens(home, text, *options);

  return Speak(*options, home, text);
}
