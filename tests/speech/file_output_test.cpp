// What is played, written to a file token by token in place of the device.
#include "speech/synthesis/file_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/wave_file.h"
#include "speech/engine/speech_engine.h"
#include "speech/synthesis/error_hook.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

using testing::Bytes;
using testing::Cat;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

class FileOutputTest : public ::testing::Test {
 protected:
  FileOutputTest() { home_.WriteVoice({{"a", Bytes(400, 'a')}, {"e", Bytes(400, 'e')}}, 40); }
  std::unique_ptr<SpeechEngine> Engine(FileOutput& file, int rate = 100, bool preloadVoice = true) {
    return std::make_unique<SpeechEngine>(EngineOptions{.home = home_.dir(),
                                                        .output = &file,
                                                        .rate = rate,
                                                        .keepRecording = false,
                                                        .preloadVoice = preloadVoice});
  }
  testing::TestHome home_;
};

TEST_F(FileOutputTest, EachTokenIsWrittenAsItIsPlayedAndTheHeaderTellsTheTotal) {
  for (const bool preloadVoice : {true, false}) {
    SCOPED_TRACE(preloadVoice ? "the voice mapped whole" : "the voice read unit by unit");
    FileOutput file("out.wav");
    auto engine = Engine(file, 100, preloadVoice);
    ASSERT_TRUE(file.Ok());
    // Whole stages go to the file as they fill: nothing waits for the end.
    const std::size_t first = kWaveStageBytes / 440 + 1;
    for (std::size_t i = 0; i < first; ++i) engine->PlayUnits("a");
    EXPECT_EQ(std::filesystem::file_size("out.wav"), kWaveStageBytes) << "written before the end";
    engine->SpeakAndWait("e a");
    ASSERT_TRUE(file.Finish());
    const auto bytes = ReadFile("out.wav");
    std::vector<std::uint8_t> played;
    const auto a = Cat({Bytes(400, 'a'), Bytes(40, 0)});
    for (std::size_t i = 0; i < first; ++i) played.insert(played.end(), a.begin(), a.end());
    const auto last = Cat({Bytes(400, 'e'), Bytes(40, 0), a});
    played.insert(played.end(), last.begin(), last.end());
    ASSERT_EQ(bytes.size(), 44 + played.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 44, bytes.end()), played)
        << "each token and its pause, without the recording's extra pause";
    EXPECT_EQ(Le32(bytes, 4), 36 + played.size());
    EXPECT_EQ(Le32(bytes, 40), played.size());
    EXPECT_EQ(engine->RecordingLength(), played.size() + (first + 2) * 40) << "counted, not kept";
    EXPECT_TRUE(engine->SaveRecording("kept.wav"));
    EXPECT_EQ(std::filesystem::file_size("kept.wav"), 44u) << "nothing was kept";
  }
}

TEST_F(FileOutputTest, TheFileGetsTheSpeechAtTheRate) {
  FileOutput normal("normal.wav");
  FileOutput fast("fast.wav");
  Engine(normal)->SpeakAndWait("a e a e");
  Engine(fast, 200)->SpeakAndWait("a e a e");
  ASSERT_TRUE(normal.Finish() && fast.Finish());
  const double normalData = static_cast<double>(std::filesystem::file_size("normal.wav") - 44);
  EXPECT_NEAR(static_cast<double>(std::filesystem::file_size("fast.wav") - 44), normalData / 2, normalData * 0.05);
}

TEST_F(FileOutputTest, AFileThatCannotBeCreatedIsReported) {
  std::vector<int> codes;
  SetEngineErrorHook([&](int code) { codes.push_back(code); });
  FileOutput file("no/such/folder/out.wav");
  auto engine = Engine(file);
  EXPECT_FALSE(file.Ok());
  EXPECT_NE(file.error().find("no/such/folder/out.wav"), std::string::npos) << file.error();
  engine->SpeakAndWait("a");  // goes nowhere, and does not hang
  EXPECT_FALSE(file.Finish());
  SetEngineErrorHook({});
  EXPECT_EQ(codes.front(), kErrorFileWrite);
}

}  // namespace
}  // namespace lirvan
