// A bounded fuzz run of the loaders: the unit index, the sound file and the
// lexicons, fed random and mutated files, then asked to speak. Nothing may
// crash, hang or grow without bound (the sanitizer trees run it too).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "speech/engine/speech_engine.h"
#include "tests/speech/collecting_output.h"
#include "tests/speech/test_voice.h"

namespace lirvan::testing {
namespace {

constexpr int kRuns = 40;  // per kind of file; each builds a whole engine

// A valid voice with a few units and both lexicons, written into the home.
void WriteSeedVoice(const TestHome& home) {
  home.WriteVoice({{"bi", Bytes(40, 1)}, {"r", Bytes(30, 2)}, {"i", Bytes(20, 3)},
                   {"ki", Bytes(50, 4)}, {"dr", Bytes(10, 5)}},
                  64);
  home.WriteFile("veriler/kisaltmalar.txt", "dr doktor\nvb vesaire\n");
  home.WriteFile("veriler/istisnalar.txt", "saat sa at\n");
}

std::string ReadFile(const TestHome& home, const std::string& relative) {
  std::ifstream in(home.dir() / relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Flips, inserts, deletes and cuts bytes; now and then puts in a number
// that is wild for an offset or a size.
std::string Mutated(std::string bytes, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int e = 0; e < edits && !bytes.empty(); ++e) {
    const std::size_t at = rng() % bytes.size();
    switch (rng() % 5) {
      case 0:
        bytes[at] = static_cast<char>(rng());
        break;
      case 1:
        bytes.insert(at, 1, static_cast<char>(rng()));
        break;
      case 2:
        bytes.erase(at, 1 + rng() % 16);
        break;
      case 3:
        bytes.resize(at);
        break;
      default:
        bytes.insert(at, std::to_string(static_cast<std::int64_t>(rng()) * (rng() % 2 ? -1 : 1)));
        break;
    }
  }
  return bytes;
}

std::string Random(std::mt19937& rng) {
  std::string bytes(rng() % 600, '\0');
  for (char& c : bytes) c = static_cast<char>(rng() % 4 == 0 ? ' ' + rng() % 64 : rng());
  return bytes;
}

// The engine built on the home and asked to speak; the recording is
// bounded so that a broken voice cannot fill the memory.
void SpeakWith(const TestHome& home) {
  CollectingOutput output;
  SpeechEngine engine(EngineOptions{.audio = AudioBackendKind::Null, .recordingSeconds = 1,
                                    .useThreads = false, .home = home.dir(), .output = &output});
  engine.SpeakAndWait("bir iki Dr. saat [sable][pron sub=\"bi\"]ki");
  engine.SpeakVerbatim("biri");
}

TEST(LoaderFuzz, MutatedAndRandomVoiceAndLexiconFiles) {
  TestHome home;
  WriteSeedVoice(home);
  const char* files[] = {"veriler/index.dat", "veriler/sesler.dat", "veriler/kisaltmalar.txt",
                         "veriler/istisnalar.txt"};
  std::mt19937 rng(1254);
  for (const char* file : files) {
    SCOPED_TRACE(file);
    const std::string seed = ReadFile(home, file);
    for (int run = 0; run < kRuns; ++run) {
      SCOPED_TRACE(run);
      home.WriteFile(file, run % 4 == 3 ? Random(rng) : Mutated(seed, rng));
      SpeakWith(home);
    }
    home.WriteFile(file, seed);
  }
}

}  // namespace
}  // namespace lirvan::testing
