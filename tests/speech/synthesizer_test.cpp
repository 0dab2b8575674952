#include "speech/synthesis/synthesizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
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
  EXPECT_EQ(Le32(file, 40), 22u);
  EXPECT_EQ(Le32(file, 4), 36u + 22) << "the RIFF size is the file's, not the voice's";
  std::vector<std::uint8_t> data(file.begin() + 44, file.end());
  EXPECT_EQ(data, Cat({Bytes(4, 2), Bytes(8, 0), Bytes(2, 3), Bytes(8, 0)}));
  // Everything else of the voice's header is kept as loaded.
  const auto voice = ReadFile("veriler/sesler.dat");
  EXPECT_TRUE(std::equal(file.begin() + 8, file.begin() + 40, voice.begin() + 8));
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
}

// A recording longer than a WAVE file can count goes on in more files, each
// with a header that tells its own length (a small limit stands in for 4 GiB).
TEST_F(SynthesizerTest, RecordingPastTheWaveLimitIsSplitNeverWrapped) {
  Synthesizer synth(index_, {AudioBackendKind::Null, 0});
  for (int i = 0; i < 3; ++i) synth.SpeakToken(*TokenOf({"mer", "ha", "ba"}));  // 20 bytes each
  const SavedRecording saved = synth.SaveRecording("long.wav", 24);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved.files.size(), 3u);
  std::vector<std::uint8_t> joined;
  for (const auto& path : saved.files) {
    const auto file = ReadFile(path.string());
    EXPECT_EQ(Le32(file, 40), file.size() - 44) << path;
    EXPECT_EQ(Le32(file, 4), file.size() - 8) << path;
    joined.insert(joined.end(), file.begin() + 44, file.end());
  }
  EXPECT_EQ(joined, synth.RecordingBytes());
  EXPECT_EQ(saved.files[1], "long-2.wav");
}

TEST_F(SynthesizerTest, WithoutKeepingTheRecordingOnlyItsLengthIsCounted) {
  SynthesizerOptions options{AudioBackendKind::Null, 0};
  options.keepRecording = false;
  Synthesizer synth(index_, options);
  for (int i = 0; i < 1000; ++i) synth.SpeakToken(*TokenOf({"mer", "ha", "ba"}));
  EXPECT_EQ(synth.RecordingLength(), 1000u * 20);
  EXPECT_TRUE(synth.RecordingBytes().empty());
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

// The pause is the data before the smallest offset any record gives,
// whatever the order of the records; one longer than two seconds is a
// broken voice and becomes a short silence, reported as a bad file.
TEST(SynthesizerLoading, PauseComesFromTheSmallestOffsetAndIsBounded) {
  const std::string sound = testing::WaveHeaderBytes(100044) + std::string(100044, '\0');
  struct Case {
    const char* what;
    std::string index;
    std::size_t pause;
    std::vector<int> codes;
  } cases[] = {
      {"in order", "1 a 144 10\n1 b 154 10\n", 100, {}},
      {"reversed", "1 b 154 10\n1 a 144 10\n", 100, {}},
      {"an unused five-letter record lower", "1 b 154 10\n5 abcde 84 10\n", 40, {}},
      {"a wild offset first", "1 z 2147483000 4\n1 a 144 10\n", 100, {}},
      {"a wild offset alone", "1 z 2147483000 4\n", 882, {kErrorBadFile}},
      {"two seconds exactly", "1 a 88244 10\n", 88200, {}},
      {"just over two seconds", "1 a 88246 10\n", 882, {kErrorBadFile}},
      {"negative offsets give no pause bound", "1 a -5 10\n1 b 244 10\n", 200, {}},
  };
  for (const bool preloadVoice : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (preloadVoice ? ", mapped" : ", streamed"));
      TestHome home;
      home.WriteFile("veriler/index.dat", c.index);
      home.WriteFile("veriler/sesler.dat", sound);
      ErrorCodes errors;
      UnitIndex index(kIndexPath);
      Synthesizer synth(index, {.audio = AudioBackendKind::Null, .preloadVoice = preloadVoice});
      EXPECT_EQ(synth.pauseWave().length(), c.pause);
      EXPECT_EQ(errors.codes, c.codes);
    }
  }
}

// The probe that found it: the generated voice with its index lines
// reversed spoke "bir iki" as a recording of hundreds of megabytes.
TEST(SynthesizerLoading, ReversedGeneratedIndexSpeaksAsTheOriginal) {
  const std::filesystem::path voice = LIRVAN_TEST_VOICE_HOME;
  if (!std::filesystem::exists(voice / kIndexPath)) GTEST_SKIP() << "no generated voice in " << voice;
  auto recorded = [](const std::filesystem::path& home) {
    UnitIndex index(IndexFile(home));
    Synthesizer synth(index, {AudioBackendKind::Null, 0, home});
    auto token = TokenOf({"bir"});
    synth.SpeakToken(*token);
    return synth.RecordingLength();
  };
  TestHome reversed;
  std::vector<std::string> lines;
  std::ifstream in(voice / kIndexPath);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string text;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) text += *it + "\n";
  reversed.WriteFile("veriler/index.dat", text);
  std::filesystem::create_symlink(voice / kSoundPath, reversed.dir() / kSoundPath);
  const std::size_t original = recorded(voice);
  ASSERT_GT(original, 0u);
  EXPECT_EQ(recorded(reversed.dir()), original);
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
  for (const bool preloadVoice : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (preloadVoice ? ", mapped" : ", streamed"));
      TestHome home;
      if (!c.index.empty()) home.WriteFile("veriler/index.dat", c.index);
      if (!c.sound.empty()) home.WriteFile("veriler/sesler.dat", c.sound);
      ErrorCodes errors;
      UnitIndex index(kIndexPath);
      // A bad header must not hang a device.
      Synthesizer synth(index, {.audio = AudioBackendKind::Default, .preloadVoice = preloadVoice});
      synth.SpeakToken(*TokenOf({"a"}));
      // Only the pause (token's and extra) is recorded: the unit is missing.
      EXPECT_EQ(synth.RecordingBytes().size(), 2 * synth.pauseWave().length());
      if (c.code != 0) {
        EXPECT_EQ(errors.codes, std::vector<int>{c.code});
      }
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
