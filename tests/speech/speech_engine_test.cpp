#include "speech/engine/speech_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "platform/cp1254.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;
using testing::TestHome;

constexpr std::size_t kUnitBytes = 2205;  // 50 ms at 22050 Hz, 16-bit mono

// A voice of one-letter words, each a run of its own byte value, so the
// recording shows which tokens were played and in what order.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    home_.WriteVoice({{"a", Bytes(kUnitBytes, 'a')},
                      {"e", Bytes(kUnitBytes, 'e')},
                      {"o", Bytes(kUnitBytes, 'o')},
                      {"pa", Bytes(kUnitBytes, 'P')},
                      {"ran", Bytes(kUnitBytes, 'R')},
                      {"tez", Bytes(kUnitBytes, 'T')},
                      {"vir", Bytes(kUnitBytes, 'V')},
                      {Utf8ToCp1254("gül"), Bytes(kUnitBytes, 'G')}},
                     44);
  }

  std::unique_ptr<SpeechEngine> Engine(AudioBackendKind audio, bool threads = true) {
    return std::make_unique<SpeechEngine>(EngineOptions{audio, 0, threads});
  }

  // The letters of the played units, one per unit.
  static std::string Played(SpeechEngine& engine) {
    std::string out;
    const auto bytes = engine.synthesizer().RecordingBytes();
    std::size_t run = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == 0) continue;
      ++run;
      if (i + 1 == bytes.size() || bytes[i + 1] != bytes[i]) {
        out.append(run / kUnitBytes, static_cast<char>(bytes[i]));
        run = 0;
      }
    }
    return out;
  }

  static std::string Repeat(const std::string& word, int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += word + " ";
    return text;
  }

  TestHome home_;
};

TEST_F(EngineTest, SecondSpeakCutsFirstBetweenTokens) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 20));
  while (Played(*engine).size() < 2) std::this_thread::sleep_for(5ms);  // a few a's are played
  engine->Speak("e e e");
  engine->WaitUntilDone();
  const std::string played = Played(*engine);
  const auto firstE = played.find('e');
  ASSERT_NE(firstE, std::string::npos);
  EXPECT_GE(firstE, 1u);
  EXPECT_LT(firstE, 20u) << "the first utterance was not cut";
  EXPECT_EQ(played.substr(firstE), "eee") << played;
}

TEST_F(EngineTest, SpeakAndWaitPlaysTheWholeTextInOrder) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->SpeakAndWait("a e o");
  EXPECT_EQ(Played(*engine), "aeo");
  EXPECT_FALSE(engine->IsSpeaking());
  EXPECT_FALSE(engine->synthesizer().IsPlaying());
}

TEST_F(EngineTest, EmptyTextsSpeakNothing) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak("");
  engine->WaitUntilDone();
  engine->SpeakAndWait("");
  engine->SpeakDirect("");
  EXPECT_TRUE(engine->synthesizer().RecordingBytes().empty());
  EXPECT_FALSE(engine->IsSpeaking());
}

TEST_F(EngineTest, StopWhenIdleReturnsAndLeavesTheEngineIdle) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Stop();
  engine->Stop();
  EXPECT_FALSE(engine->IsSpeaking());
  engine->SpeakAndWait("a");
  EXPECT_EQ(Played(*engine), "a");
}

TEST_F(EngineTest, SpeakVerbatimSpeaksOnlyTheFirstWordOfItsExpansion) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->SpeakVerbatim("(");  // "parantez aç"
  EXPECT_EQ(Played(*engine), "PRT");
}

TEST_F(EngineTest, SpeakCharacterNamesTheCharacter) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->SpeakCharacter(',');  // virgül
  EXPECT_EQ(Played(*engine), "VG");
}

TEST_F(EngineTest, MoreThanTheQueueHoldsIsSpokenWhole) {
  for (bool threads : {true, false}) {
    SCOPED_TRACE(threads ? "producer and consumer threads" : "calling thread");
    auto engine = Engine(AudioBackendKind::Null, threads);
    engine->SpeakAndWait(Repeat("a", 12000) + "e");
    const std::string played = Played(*engine);
    EXPECT_EQ(played, std::string(12000, 'a') + "e");
  }
}

TEST_F(EngineTest, StopWhileTheProducerWaitsForPlacesThenANewSpeak) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 15000));  // the producer fills the queue and waits
  std::this_thread::sleep_for(50ms);
  engine->Stop();
  EXPECT_FALSE(engine->IsSpeaking());
  const std::size_t before = Played(*engine).size();
  EXPECT_LT(before, 15000u);
  engine->SpeakAndWait("e o");  // a new producer must take the producer lock
  EXPECT_EQ(Played(*engine).substr(before), "eo");
}

TEST_F(EngineTest, NothingIsPlayedAfterStopReturns) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 50));
  std::this_thread::sleep_for(80ms);
  engine->Stop();
  const std::size_t atStop = engine->synthesizer().RecordingBytes().size();
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(engine->synthesizer().RecordingBytes().size(), atStop);
}

TEST_F(EngineTest, PunctuationSwitchGovernsSymbolTokens) {
  auto engine = Engine(AudioBackendKind::Null);
  EXPECT_TRUE(engine->IsPunctuationReading());
  engine->SpeakAndWait("a, e");
  EXPECT_EQ(Played(*engine), "aVGe");
  engine->SetPunctuationReading(0x100);  // only the low byte counts
  EXPECT_FALSE(engine->IsPunctuationReading());
  engine->SpeakAndWait("a, e");
  EXPECT_EQ(Played(*engine), "aVGeae");
}

TEST_F(EngineTest, PunctuationSwitchWrittenWhileAProducerReadsIt) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->Speak(Repeat("a ,", 3000));
  for (int i = 0; i < 200; ++i) engine->SetPunctuationReading(i % 2);
  engine->WaitUntilDone();
  SUCCEED();
}

TEST_F(EngineTest, SynchronousEntriesPlayAfterTheCurrentToken) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 5));
  engine->SpeakVerbatim("o");
  engine->WaitUntilDone();
  const std::string played = Played(*engine);
  EXPECT_EQ(std::count(played.begin(), played.end(), 'a'), 5);
  EXPECT_EQ(std::count(played.begin(), played.end(), 'o'), 1);
}

TEST_F(EngineTest, DestructionWhileSpeakingEndsCleanly) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 200));
  std::this_thread::sleep_for(30ms);
  engine.reset();
  SUCCEED();
}

TEST_F(EngineTest, ManySpeakAndStopCallsWhileSpeechRuns) {
  auto engine = Engine(AudioBackendKind::Clocked);
  for (int i = 0; i < 300; ++i) {
    engine->Speak(Repeat(i % 2 ? "a" : "e", 30));
    if (i % 3 == 0) engine->Stop();
    if (i % 50 == 0) std::this_thread::sleep_for(20ms);
  }
  engine->SpeakAndWait("o");
  const std::string played = Played(*engine);
  ASSERT_FALSE(played.empty());
  EXPECT_EQ(played.back(), 'o');
  EXPECT_FALSE(engine->IsSpeaking());
}

TEST_F(EngineTest, NoTokenIsLostWhenTheProducerFinishesBetweenTwoPolls) {
  auto engine = Engine(AudioBackendKind::Null);
  for (int i = 0; i < 1000; ++i) {
    engine->SpeakAndWait("a e");
    ASSERT_EQ(Played(*engine).size(), 2u * (i + 1)) << "round " << i;
  }
}

TEST_F(EngineTest, CallingThreadFallbackSpeaksBeforeReturning) {
  auto engine = Engine(AudioBackendKind::Clocked, false);
  engine->Speak("a e");
  EXPECT_EQ(Played(*engine), "ae");
  EXPECT_FALSE(engine->synthesizer().IsPlaying());
}

}  // namespace
}  // namespace lirvan
