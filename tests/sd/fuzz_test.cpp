// Malformed protocol input, a bounded number of times: the module never
// crashes or hangs, and still answers QUIT at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "module_process.h"
#include "sd/settings.h"
#include "sd/ssml.h"

namespace lirvan::sd {
namespace {

const std::vector<std::string> kPieces{
    "INIT\n", "SPEAK\n", "CHAR\n", "KEY\n", "SET\n", "AUDIO\n", "STOP\n", "PAUSE\n", "LIST VOICES\n",
    "LOGLEVEL\n", "SOUND_ICON\n", ".\n", "..\n", "\n", "\r\n", "<speak>", "</speak>", "<mark name=\"x\"/>",
    "<mark name=", "<break time=\"", "ms\"/>", "&#x", "&amp", "rate=", "-100", "99999999999", "pitch=",
    "punctuation_mode=", "NULL", "=", "Merhaba ", "şğüİı ", "\xFF\xFE", "\xC3", std::string(1, '\0'), "<", ">"};

std::string RandomInput(std::mt19937& random, std::size_t pieces) {
  std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string input;
  for (std::size_t i = 0; i < pieces; ++i) {
    if (random() % 8 == 0) {
      input += static_cast<char>(byte(random));
    } else {
      input += kPieces[pick(random)];
    }
  }
  return input;
}

TEST(Fuzz, ParsersTakeAnyText) {
  std::mt19937 random(18);
  for (int i = 0; i < 3000; ++i) {
    const std::string text = RandomInput(random, 1 + random() % 40);
    const auto pieces = WalkSsml(text);
    for (const auto& p : pieces) {
      EXPECT_GE(p.milliseconds, 0);
      EXPECT_LE(p.milliseconds, kMaxBreakMilliseconds);
    }
    Settings s;
    ApplySettings(s, {text});
    EXPECT_GE(s.rate, -100);
    EXPECT_LE(s.rate, 100);
  }
}

TEST(Fuzz, TheModuleSurvivesMalformedInput) {
  const auto config = std::filesystem::temp_directory_path() / ("lirvan-sd-fuzz-" + std::to_string(getpid()) + ".conf");
  std::ofstream(config) << "LirvanVoiceHome \"" << LIRVAN_TEST_VOICE_HOME << "\"\n";
  std::mt19937 random(1804);
  for (int round = 0; round < 12; ++round) {
    testing::ModuleProcess module(SD_LIRVAN_PROGRAM, {config.string()});
    // Audio to the server, so nothing plays; the output is drained while
    // the input is written, as the server does.
    std::string input = "INIT\nAUDIO\naudio_output_method=server\n.\n" + RandomInput(random, 400);
    input += "\n.\n.\nSTOP\nQUIT\n";
    std::thread writer([&] {
      module.Send(input);
      module.CloseInput();
    });
    const auto replies = module.Until({"210 OK QUIT"}, std::chrono::seconds(60));
    writer.join();
    const int status = module.Wait(std::chrono::seconds(20));
    EXPECT_EQ(status, 0) << "round " << round;
    // QUIT may have been read as text inside a block; then the end of
    // the input ends the module.
    (void)replies;
  }
  std::filesystem::remove(config);
}

}  // namespace
}  // namespace lirvan::sd
