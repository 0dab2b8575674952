#include "speech/synthesis/synthesizer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/trace.h"
#include "speech/synthesis/error_hook.h"
#include "speech/units/token.h"
#include "speech/units/unit_index.h"
#include "tests/speech/collecting_output.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::TestHome;

// Captures the codes the engine's error hook receives.
class ErrorCodes {
 public:
  ErrorCodes() {
    SetEngineErrorHook([this](int code) { codes.push_back(code); });
  }
  ~ErrorCodes() { SetEngineErrorHook({}); }
  std::vector<int> codes;
};

std::unique_ptr<Token> TokenOf(std::initializer_list<const char*> names) {
  auto token = std::make_unique<Token>();
  token->kind = TokenKind::Word;
  std::unique_ptr<UnitNode> head;
  UnitNode* tail = nullptr;
  for (const char* name : names) {
    auto node = std::make_unique<UnitNode>(name);
    UnitNode* raw = node.get();
    (tail == nullptr ? head : tail->next) = std::move(node);
    tail = raw;
    ++token->unitCount;
  }
  if (head) token->units = std::move(head);
  return token;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Three units of distinct bytes and a 4-byte pause.
class SynthesizerTest : public ::testing::Test {
 protected:
  static TestHome& WithVoice(TestHome& home) {
    home.WriteVoice({{"mer", Bytes(6, 1)}, {"ha", Bytes(4, 2)}, {"ba", Bytes(2, 3)}}, 4);
    return home;
  }
  std::vector<std::uint8_t> Recording(Synthesizer& s) { return s.RecordingBytes(); }

  TestHome home_;
  UnitIndex index_{(WithVoice(home_), kIndexPath)};
};

TEST_F(SynthesizerTest, JoinsUnitsBackToBackThenThePause) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  EXPECT_EQ(synth.pauseWave().length(), 4u);
  synth.SpeakToken(*TokenOf({"mer", "ha", "ba"}));
  EXPECT_EQ(Recording(synth), Cat({Bytes(6, 1), Bytes(4, 2), Bytes(2, 3), Bytes(4, 0), Bytes(4, 0)}));
}

TEST_F(SynthesizerTest, AnyMissingUnitSilencesTheWholeToken) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  const std::vector<std::unique_ptr<Token>> silent = [] {
    std::vector<std::unique_ptr<Token>> v;
    v.push_back(TokenOf({"mer", ""}));         // empty name
    v.push_back(TokenOf({"mer", "xyz"}));      // not recorded
    v.push_back(TokenOf({"merhaba"}));         // longer than a phone slot
    v.push_back(TokenOf({}));                  // unitCount 0
    return v;
  }();
  for (const auto& token : silent) {
    synth.SpeakToken(*token);
  }
  EXPECT_EQ(Recording(synth), Bytes(4 * 2 * silent.size(), 0));
}

TEST_F(SynthesizerTest, SaveRecordingWritesHeaderThenTokensEachWithTwoPauses) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  synth.SpeakToken(*TokenOf({"ha"}));
  synth.SpeakToken(*TokenOf({"ba"}));
  ASSERT_TRUE(synth.SaveRecording("out.wav"));
  const auto file = ReadFile("out.wav");
  ASSERT_EQ(file.size(), 44u + 4 + 8 + 2 + 8);
  const std::uint32_t dataLength = file[40] | file[41] << 8 | file[42] << 16 | static_cast<std::uint32_t>(file[43]) << 24;
  EXPECT_EQ(dataLength, 22u);
  std::vector<std::uint8_t> data(file.begin() + 44, file.end());
  EXPECT_EQ(data, Cat({Bytes(4, 2), Bytes(8, 0), Bytes(2, 3), Bytes(8, 0)}));
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
}

TEST_F(SynthesizerTest, SaveRecordingToAnUnwritablePathReportsMinusFour) {
  ErrorCodes errors;
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  EXPECT_FALSE(synth.SaveRecording("no/such/folder/out.wav"));
  EXPECT_EQ(errors.codes, std::vector<int>{kErrorFileWrite});
}

TEST_F(SynthesizerTest, VolumeRuleTriplesEachChannelAndHoldsAtTheMaximum) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  auto rule = [](int kind, int value) {
    auto t = std::make_unique<Token>();
    t->kind = TokenKind::Rule;
    t->rule = MarkupRule{kind, value, true};
    return t;
  };
  synth.SetVolume(0x20001000);
  synth.SpeakToken(*rule(4, 2));
  synth.SpeakToken(*rule(3, 1));
  EXPECT_EQ(synth.GetVolume(), 0x20001000u);
  synth.SpeakToken(*rule(4, 1));
  EXPECT_EQ(synth.GetVolume(), 0x60003000u);
  synth.SpeakToken(*rule(4, 1));
  synth.SpeakToken(*rule(4, 1));
  EXPECT_EQ(synth.GetVolume(), 0xFFFFFFFFu);  // no carry into the other channel
  EXPECT_TRUE(Recording(synth).empty());               // rule tokens make no sound
}

TEST_F(SynthesizerTest, VolumeScalesWhatIsPlayedButNotTheRecording) {
  testing::CollectingOutput output;
  Synthesizer synth(index_, {AudioBackendKind::Null, 0, {}, &output});
  synth.SetVolume(0x00007FFF);  // mono: the low channel, about half
  synth.SpeakToken(*TokenOf({"mer"}));  // samples 0x0101 = 257
  ASSERT_EQ(output.Started(), 1u);
  const auto played = output.Sounds()[0];
  ASSERT_EQ(played.size(), 10u);
  EXPECT_EQ(played[0] | played[1] << 8, 257 * 0x7FFF / 0xFFFF);
  EXPECT_EQ(Recording(synth), Cat({Bytes(6, 1), Bytes(8, 0)}));
}

TEST_F(SynthesizerTest, RecordingLimitKeepsTheNewestSound) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 1});  // one second: 44100 bytes
  for (int i = 0; i < 5000; ++i) synth.SpeakToken(*TokenOf({"mer", "ha", "ba"}));
  const auto bytes = Recording(synth);
  EXPECT_EQ(bytes.size(), 44100u);
  // The newest token ends the recording: ba, then its pause and the extra one.
  const std::vector<std::uint8_t> tail(bytes.end() - 10, bytes.end());
  EXPECT_EQ(tail, Cat({Bytes(2, 3), Bytes(8, 0)}));
}

TEST(SynthesizerLoading, FirstOffsetFortyFourGivesAnEmptyPause) {
  TestHome home;
  home.WriteVoice({{"a", Bytes(2, 9)}}, 0);
  UnitIndex index(kIndexPath);
  Synthesizer synth(index, {AudioBackendKind::Null, 0});
  EXPECT_EQ(synth.pauseWave().length(), 0u);
  synth.SpeakToken(*TokenOf({"a"}));
  EXPECT_EQ(synth.RecordingBytes(), Bytes(2, 9));
}

TEST(SynthesizerLoading, DamagedFilesNeverCrashAndTheUnitsAreMissing) {
  struct Case {
    const char* what;
    std::string index;
    std::string sound;  // empty: no file
    int code;           // expected error code, 0 for none
  } cases[] = {
      {"no sound file", "1 a 44 2\n", "", kErrorFileMissing},
      {"no index file", "", std::string(100, '\0'), kErrorFileMissing},
      {"shorter than a header", "1 a 44 2\n", "RIFF", kErrorBadFile},
      {"unit past the end", "1 a 44 2000\n", testing::WaveHeaderBytes(50) + std::string(50, '\1'), 0},
      {"huge offset", "1 a 2147483647 2\n", testing::WaveHeaderBytes(50) + std::string(50, '\1'), 0},
      {"negative size", "1 a 44 -5\n", testing::WaveHeaderBytes(50) + std::string(50, '\1'), 0},
      {"garbage header", "1 a 44 2000\n", std::string(44, '\xFF') + std::string(50, '\1'), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestHome home;
    if (!c.index.empty()) home.WriteFile("veriler/index.dat", c.index);
    if (!c.sound.empty()) home.WriteFile("veriler/sesler.dat", c.sound);
    ErrorCodes errors;
    UnitIndex index(kIndexPath);
    Synthesizer synth(index, {AudioBackendKind::Default, 0});  // a bad header must not hang a device
    synth.SpeakToken(*TokenOf({"a"}));
    // Only the pause (token's and extra) is recorded: the unit is missing.
    EXPECT_EQ(synth.RecordingBytes().size(), 2 * synth.pauseWave().length());
    if (c.code != 0) {
      EXPECT_EQ(errors.codes, std::vector<int>{c.code});
    }
  }
}

TEST(EngineErrorText, TurkishTextsForDeviceAndFileCodes) {
  EXPECT_EQ(EngineErrorText(7), "Hafiza Kullanim Hatasi");
  EXPECT_EQ(EngineErrorText(-1), "Dosya Bulunamadi");
  EXPECT_EQ(EngineErrorText(-4), EngineErrorText(1));
  EXPECT_EQ(EngineErrorText(6), "Ses Donaniminiza Ait S\xFCr\xFC" "c\xFC (Driver) Bulunamadi");
  EXPECT_EQ(EngineErrorText(13), "");
  EXPECT_EQ(EngineErrorText(-3), "");
}

}  // namespace
}  // namespace lirvan
