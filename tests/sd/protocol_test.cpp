// Golden exchanges with the module program through its standard input and
// output, as speech-dispatcher holds them. Runs of audio events are shown
// as one "705 AUDIO": their number follows the words, not the protocol.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "module_process.h"

namespace lirvan::sd {
namespace {

using testing::ModuleProcess;
using testing::Reply;
using Lines = std::vector<std::string>;

const std::string kProgram = SD_LIRVAN_PROGRAM;
constexpr int kBytesPerSecond = 22050 * 2;
const Lines kEnds{"702 END", "703 STOP", "704 PAUSE"};

std::string Last(const Lines& lines) { return lines.empty() ? std::string("(nothing)") : lines.back(); }

Lines Golden(const std::vector<Reply>& replies) {
  Lines lines;
  for (const auto& line : testing::Lines(replies)) {
    if (line == "705 AUDIO" && !lines.empty() && lines.back() == "705 AUDIO") continue;
    lines.push_back(line.starts_with("299-") ? "299-…" : line);
  }
  return lines;
}

// A module with a configuration naming the test voice, past INIT and AUDIO.
class Module : public ::testing::Test {
 protected:
  void SetUp() override {
    config_ = std::filesystem::temp_directory_path() / ("lirvan-sd-" + std::to_string(getpid()) + ".conf");
    std::ofstream(config_) << "LirvanVoiceHome \"" << LIRVAN_TEST_VOICE_HOME << "\"\n";
    module_ = std::make_unique<ModuleProcess>(kProgram, std::vector<std::string>{config_.string()});
    Exchange("INIT\nAUDIO\naudio_output_method=server\n.\n", {"203 OK AUDIO INITIALIZED"});
  }
  void TearDown() override {
    module_.reset();
    std::filesystem::remove(config_);
  }
  std::vector<Reply> Exchange(const std::string& input, const Lines& ends) {
    module_->Send(input);
    return module_->Until(ends);
  }
  std::vector<Reply> Speak(const std::string& ssml) { return Exchange("SPEAK\n" + ssml + "\n.\n", kEnds); }

  std::filesystem::path config_;
  std::unique_ptr<ModuleProcess> module_;
};

struct ExchangeCase {
  const char* name;
  const char* input;
  Lines golden;
};

class Exchanges : public Module, public ::testing::WithParamInterface<ExchangeCase> {};

TEST_P(Exchanges, AreAnsweredAsGolden) {
  const auto& c = GetParam();
  Lines ends = kEnds;
  ends.push_back(c.golden.back());
  EXPECT_EQ(Golden(Exchange(c.input, ends)), c.golden);
}

INSTANTIATE_TEST_SUITE_P(
    Golden, Exchanges,
    ::testing::Values(
        ExchangeCase{"listVoices", "LIST VOICES\n", {"200-lirvan\ttr\tnone", "200 OK VOICE LIST SENT"}},
        ExchangeCase{"set",
                     "SET\nrate=20\npitch=0\npitch_range=50\npunctuation_mode=all\nspelling_mode=off\n"
                     "punctuation_some=NULL\nlanguage=tr\nvoice=male1\nsynthesis_voice=NULL\n.\n",
                     {"203 OK RECEIVING SETTINGS", "203 OK SETTINGS RECEIVED"}},
        ExchangeCase{"setBadValue", "SET\nrate=hızlı\n.\n", {"203 OK RECEIVING SETTINGS", "303 ERR INVALID PARAMETER"}},
        ExchangeCase{"logLevel", "LOGLEVEL\nlog_level=3\n.\n", {"207 OK RECEIVING LOGLEVEL", "203 OK LOGLEVEL SET"}},
        ExchangeCase{"unknown", "SPEAKX\n", {"300 ERR UNKNOWN COMMAND"}},
        ExchangeCase{"stopWhenSilent", "STOP\nPAUSE\nLIST VOICES\n", {"200-lirvan\ttr\tnone", "200 OK VOICE LIST SENT"}},
        ExchangeCase{"speak", "SPEAK\n<speak>Merhaba dünya</speak>\n.\n",
                     {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}},
        ExchangeCase{"marks", "SPEAK\n<speak><mark name=\"a\"/>Bir <mark name=\"b\"/>iki<mark name=\"c\"/></speak>\n.\n",
                     {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "700-a", "700 INDEX MARK", "705 AUDIO",
                      "700-b", "700 INDEX MARK", "705 AUDIO", "700-c", "700 INDEX MARK", "702 END"}},
        ExchangeCase{"multiLineWithDot", "SPEAK\nbir\n..\niki\n.\n",
                     {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}},
        ExchangeCase{"emptyText", "SPEAK\n<speak></speak>\n.\n",
                     {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "702 END"}},
        ExchangeCase{"char", "CHAR\nş\n.\n", {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}},
        ExchangeCase{"key", "KEY\nshift_a\n.\n", {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}},
        ExchangeCase{"english", "SET\nlanguage=en\n.\nSPEAK\nGood morning\n.\n",
                     {"203 OK RECEIVING SETTINGS", "203 OK SETTINGS RECEIVED", "202 OK SEND DATA", "200 OK SPEAKING",
                      "701 BEGIN", "705 AUDIO", "702 END"}},
        ExchangeCase{"soundIcon", "SOUND_ICON\nmessage\n.\n",
                     {"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "706-message", "706 ICON", "702 END"}},
        ExchangeCase{"quit", "QUIT\n", {"210 OK QUIT"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Module, ABreakIsSilenceOfItsLength) {
  const auto replies = Speak("<speak><break time=\"300ms\"/></speak>");
  EXPECT_EQ(testing::AudioBytes(replies), static_cast<std::size_t>(kBytesPerSecond * 3 / 10));
  for (const auto& r : replies) {
    for (const auto b : r.audio) ASSERT_EQ(b, 0);
  }
}

TEST_F(Module, StopCutsAtOnceAndTheNextMessageIsTaken) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "Bu uzun bir cümledir ve sonu gelmez. ";
  module_->Send("SPEAK\n" + text + "\n.\n");
  module_->Until({"705 AUDIO"});
  module_->Send("STOP\n");
  const Lines after = testing::Lines(module_->Until(kEnds));
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.back(), "703 STOP");
  EXPECT_EQ(Golden(Speak("Tamam")), (Lines{"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}));
}

// The server sends the next message the moment it reads END: the module
// must be ready for it by then.
TEST_F(Module, AMessageSentRightAfterEndIsTaken) {
  for (int i = 0; i < 30; ++i) {
    ASSERT_EQ(Golden(Speak("Bir")), (Lines{"202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "705 AUDIO", "702 END"}))
        << "message " << i;
  }
}

TEST_F(Module, SpeakingWhileSpeakingIsAnErrorAndDoesNotDisturb) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "Bir cümle daha okunuyor. ";
  module_->Send("SPEAK\n" + text + "\n.\n");
  module_->Until({"701 BEGIN"});
  module_->Send("SPEAK\n");
  const Lines lines = testing::Lines(module_->Until({"301 ERR ALREADY SPEAKING", "702 END"}));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "301 ERR ALREADY SPEAKING");
  module_->Send("STOP\n");
  const Lines stopped = testing::Lines(module_->Until(kEnds));
  ASSERT_FALSE(stopped.empty());
  EXPECT_EQ(stopped.back(), "703 STOP");
}

TEST_F(Module, PauseEndsAtTheNextMark) {
  std::string ssml = "<speak>";
  for (int i = 0; i < 40; ++i) ssml += "Cümle " + std::to_string(i) + " okunuyor. <mark name=\"m" + std::to_string(i) + "\"/>";
  module_->Send("SPEAK\n" + ssml + "</speak>\n.\n");
  module_->Until({"705 AUDIO"});
  module_->Send("PAUSE\n");
  const Lines lines = Golden(module_->Until(kEnds));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.back(), "704 PAUSE");
  EXPECT_EQ(lines[lines.size() - 2], "700 INDEX MARK");
}

// The same words: faster is shorter, softer is quieter, a higher voice
// keeps its length.
TEST_F(Module, RateVolumeAndPitchShapeTheSound) {
  const std::string words = "Merhaba, bugün nasılsınız?";
  const auto normal = Speak(words);
  Exchange("SET\nrate=100\n.\n", {"203 OK SETTINGS RECEIVED"});
  const auto fast = Speak(words);
  Exchange("SET\nrate=0\nvolume=-50\n.\n", {"203 OK SETTINGS RECEIVED"});
  const auto soft = Speak(words);
  Exchange("SET\nvolume=0\npitch=60\n.\n", {"203 OK SETTINGS RECEIVED"});
  const auto high = Speak(words);
  const double n = static_cast<double>(testing::AudioBytes(normal));
  ASSERT_GT(n, 0);
  EXPECT_LT(static_cast<double>(testing::AudioBytes(fast)) / n, 0.4);
  EXPECT_NEAR(static_cast<double>(testing::AudioBytes(high)) / n, 1.0, 0.1);
  auto peak = [](const std::vector<Reply>& replies) {
    int best = 0;
    for (const auto& r : replies) {
      for (std::size_t i = 0; i + 1 < r.audio.size(); i += 2) {
        best = std::max(best, std::abs(static_cast<int>(static_cast<std::int16_t>(r.audio[i] | (r.audio[i + 1] << 8)))));
      }
    }
    return best;
  };
  EXPECT_NEAR(static_cast<double>(peak(soft)) / peak(normal), 0.5, 0.05);
}

// Other programs' text is read as written: a bracket in it never starts
// markup that would swallow words.
TEST_F(Module, BracketsInTheTextAreReadNotObeyed) {
  const std::size_t words = testing::AudioBytes(Speak("bir iki"));
  ASSERT_GT(words, 0u);
  // Obeyed, the tag is silent and the sound as long as "bir iki"; read,
  // "sable" is heard.
  EXPECT_GT(testing::AudioBytes(Speak("bir [sable] iki")), words * 5 / 4);
}

// Each punctuation mode reads more marks than the one before it (? at
// "some", ; at "most", the comma only at "all"). Spelling names every
// character itself: no comma is read between the names, whatever the mode.
TEST_F(Module, PunctuationModesAreTheEnginesFourLevels) {
  const char* modes[] = {"none", "some", "most", "all"};
  std::vector<std::size_t> sizes;
  for (const char* mode : modes) {
    Exchange(std::string("SET\npunctuation_mode=") + mode + "\n.\n", {"203 OK SETTINGS RECEIVED"});
    sizes.push_back(testing::AudioBytes(Speak("bir, iki; üç?")));
  }
  for (std::size_t i = 1; i < sizes.size(); ++i) EXPECT_LT(sizes[i - 1], sizes[i]) << modes[i];
  Exchange("SET\nspelling_mode=on\n.\n", {"203 OK SETTINGS RECEIVED"});
  const std::size_t spelledAtAll = testing::AudioBytes(Speak("abc"));
  Exchange("SET\npunctuation_mode=none\n.\n", {"203 OK SETTINGS RECEIVED"});
  EXPECT_EQ(testing::AudioBytes(Speak("abc")), spelledAtAll);
}

TEST(ModuleStart, WithoutAVoiceInitFailsWithTheReason) {
  const auto config = std::filesystem::temp_directory_path() / ("lirvan-sd-missing-" + std::to_string(getpid()) + ".conf");
  std::ofstream(config) << "LirvanVoiceHome \"/nonexistent/voice\"\n";
  ModuleProcess module(kProgram, {config.string()});
  module.Send("INIT\n");
  const Lines lines = testing::Lines(module.Until({"399 ERR CANT INIT MODULE", "299 OK LOADED SUCCESSFULLY"}));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("/nonexistent/voice"), std::string::npos);
  EXPECT_EQ(lines[1], "399 ERR CANT INIT MODULE");
  std::filesystem::remove(config);
}

TEST(ModuleStart, WithoutAnArgumentUsesTheBuiltVoiceAndEndsWithItsInput) {
  ModuleProcess module(kProgram, {});
  module.Send("INIT\n");
  EXPECT_EQ(Last(testing::Lines(module.Until({"299 OK LOADED SUCCESSFULLY", "399 ERR CANT INIT MODULE"}))),
            "299 OK LOADED SUCCESSFULLY");
  module.CloseInput();
  EXPECT_EQ(module.Wait(), 0);
}

}  // namespace
}  // namespace lirvan::sd

namespace lirvan::sd {
namespace {

// Our own playback (here the silent device): the sound stays in the module,
// the events are the same.
TEST(OwnPlayback, SpeaksWithoutAudioEventsAndStops) {
  const auto config = std::filesystem::temp_directory_path() / ("lirvan-sd-own-" + std::to_string(getpid()) + ".conf");
  std::ofstream(config) << "LirvanVoiceHome \"" << LIRVAN_TEST_VOICE_HOME << "\"\n";
  ModuleProcess module(kProgram, {config.string()});
  module.Send("INIT\nAUDIO\naudio_output_method=null\n.\nSPEAK\n<speak>Bir <mark name=\"a\"/>iki</speak>\n.\n");
  EXPECT_EQ(Golden(module.Until(kEnds)),
            (Lines{"299-…", "299 OK LOADED SUCCESSFULLY", "207 OK RECEIVING AUDIO SETTINGS", "203 OK AUDIO INITIALIZED",
                   "202 OK SEND DATA", "200 OK SPEAKING", "701 BEGIN", "700-a", "700 INDEX MARK", "702 END"}));
  std::string text;
  for (int i = 0; i < 300; ++i) text += "Uzun bir metin okunuyor. ";
  module.Send("SPEAK\n" + text + "\n.\n");
  module.Until({"701 BEGIN"});
  module.Send("STOP\n");
  EXPECT_EQ(Last(testing::Lines(module.Until(kEnds))), "703 STOP");
  std::filesystem::remove(config);
}

}  // namespace
}  // namespace lirvan::sd
