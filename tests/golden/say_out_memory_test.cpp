// lirvan-say --out streams: a text whose sound is far larger than the
// limit is written with memory that does not grow with it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/golden/run_program.h"
#include "tests/speech/test_voice.h"

namespace lirvan::test {
namespace {

namespace fs = std::filesystem;

// lirvan-say --out on the text with the voice, into a name that leads to
// /dev/null (where the sound goes does not matter here, and no disk holds
// it); the run must stay under the bound.
void ExpectWithinTheBound(const testing::TestHome& voice, const std::string& text) {
  testing::TestHome run;
  fs::create_symlink("/dev/null", run.dir() / "out.wav");
  // Generous: the program needs about 20 MiB, up to 85 MiB under a
  // sanitizer (its shadow memory).
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
  constexpr long kLimitKiB = 128 << 10;
#else
  constexpr long kLimitKiB = 64 << 10;
#endif
#if defined(__SANITIZE_ADDRESS__)
  // The address sanitizer holds freed memory back (256 MiB) to catch its
  // use; a small hold lets the peak tell what the program keeps.
  const char* asan = std::getenv("ASAN_OPTIONS");
  ::setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":quarantine_size_mb=8").c_str(), 1);
#endif
  const ProgramRun result = RunProgram(
      LIRVAN_SAY_PATH, {"--home", voice.dir().string(), "--out", "out.wav"}, text, run.dir().string());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_LT(result.peakKiB, kLimitKiB);
}

// The rate changes nothing here: the stretched sound goes the same way,
// token by token (and Sonic on 168 MiB would take seconds).
TEST(SayOut, ALongTextIsWrittenWithBoundedMemory) {
  // One word of ten seconds; 400 of them are 168 MiB of sound at 100%.
  testing::TestHome voice;
  voice.WriteVoice({{"a", testing::Bytes(441000, 7)}}, 100);
  std::string text;
  for (int i = 0; i < 400; ++i) text += "a ";
  // Keeping the sound would take 168 MiB more than the bound.
  ExpectWithinTheBound(voice, text);
}

// The voice itself is not held either: a hundred words of a megabyte each,
// every one a different part of a 100 MiB voice, are spoken with the same
// bound. (The voice's data is a hole in a sparse file: it costs no disk.)
TEST(SayOut, AVoiceLargerThanTheBoundIsReadUnitByUnit) {
  testing::TestHome voice;
  constexpr std::size_t kUnit = 1 << 20;
  constexpr std::size_t kPause = 100;
  std::string index;
  std::string text;
  std::size_t offset = kPause;
  for (const char c1 : std::string("bcdfghjklmnprstvyz")) {
    for (const char v : std::string("aeiou")) {
      for (const char c2 : std::string("kmnrst")) {
        if (offset >= kPause + 100 * kUnit) break;
        const std::string word{c1, v, c2};
        index += "3 " + word + " " + std::to_string(offset) + " " + std::to_string(kUnit) + "\n";
        text += word + " ";
        offset += kUnit;
      }
    }
  }
  voice.WriteFile("veriler/index.dat", index);
  voice.WriteFile("veriler/sesler.dat", testing::WaveHeaderBytes(static_cast<std::uint32_t>(offset)));
  fs::resize_file(voice.dir() / "veriler/sesler.dat", 44 + offset);
  // Each word is one token of its one unit, so every megabyte is played.
  const ProgramRun tokens =
      RunProgram(LIRVAN_SAY_PATH, {"--home", voice.dir().string(), "--tokens"}, text, voice.dir().string());
  ASSERT_EQ(tokens.status, 0) << tokens.err;
  std::size_t found = 0;
  for (std::size_t at = 0; (at = tokens.out.find('\n', at)) != std::string::npos; ++at) ++found;
  EXPECT_EQ(found, 100u) << tokens.out;

  ExpectWithinTheBound(voice, text);
}

}  // namespace
}  // namespace lirvan::test
