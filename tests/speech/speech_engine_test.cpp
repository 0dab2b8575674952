#include "speech/engine/speech_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "platform/cp1254.h"
#include "platform/trace.h"
#include "tests/speech/collecting_output.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;
using testing::CollectingOutput;
using testing::TestHome;

constexpr std::size_t kUnitBytes = 2205;  // 50 ms at 22050 Hz, 16-bit mono
constexpr std::size_t kLongWordBytes = 5 * 44100;  // "u": a word of five seconds

// A voice of one-letter words, each a run of its own byte value, so the
// sounds played show which tokens were played and in what order.
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
                      {Utf8ToCp1254("gül"), Bytes(kUnitBytes, 'G')},
                      {"u", Bytes(kLongWordBytes, 'u')}},
                     44);
  }

  // An engine playing into the test's output, paced like the given device.
  std::unique_ptr<SpeechEngine> Engine(AudioBackendKind pace, bool threads = true) {
    output_ = std::make_unique<CollectingOutput>(pace);
    return std::make_unique<SpeechEngine>(EngineOptions{pace, 0, threads, home_.dir(), output_.get()});
  }

  // The letters of the played units, one per unit.
  std::string Played() const {
    std::string out;
    for (const auto& bytes : output_->Sounds()) {
      std::size_t run = 0;
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0) continue;
        ++run;
        if (i + 1 == bytes.size() || bytes[i + 1] != bytes[i]) {
          // A cut long word counts once.
          const std::size_t unit = bytes[i] == 'u' ? std::min(run, kLongWordBytes) : kUnitBytes;
          out.append(run / unit, static_cast<char>(bytes[i]));
          run = 0;
        }
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
  std::unique_ptr<CollectingOutput> output_;  // outlives the engines of a test
};

TEST_F(EngineTest, SecondSpeakCutsFirstAndOnlyTheSecondIsHeard) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 20));
  ASSERT_TRUE(output_->WaitForStarted(2));
  engine->Speak("e e e");
  engine->WaitUntilDone();
  const std::string played = Played();
  const auto firstE = played.find('e');
  ASSERT_NE(firstE, std::string::npos);
  EXPECT_GE(firstE, 2u);
  EXPECT_LT(firstE, 20u) << "the first utterance was not cut";
  EXPECT_EQ(played.substr(firstE), "eee") << played;
  EXPECT_EQ(output_->Started(), output_->Finished()) << "a cut token's Play never returned";
}

// The buffer on the device is cut, not played out: a five-second word is
// silenced long before its end by Stop and by a newer Speak alike, at any
// rate. (How soon is measured by the benchmarks; here, only that the word
// did not play on.)
TEST_F(EngineTest, StopAndANewerSpeakCutALongWordInTheMiddle) {
  using Clock = std::chrono::steady_clock;
  struct Case {
    const char* what;
    int rate;
    std::function<void(SpeechEngine&)> cut;
    const char* heard;
  } cases[] = {
      {"Stop", 100, [](SpeechEngine& e) { e.Stop(); }, "u"},
      {"a newer Speak", 100, [](SpeechEngine& e) { e.Speak("e"); }, "ue"},
      {"Stop at 60%", 60, [](SpeechEngine& e) { e.Stop(); }, nullptr},
      {"a newer Speak at 250%", 250, [](SpeechEngine& e) { e.Speak("e"); }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto engine = Engine(AudioBackendKind::Clocked);
    engine->SetRate(c.rate);
    engine->Speak("u u");
    ASSERT_TRUE(output_->WaitForStarted(1));
    std::this_thread::sleep_for(50ms);  // well into the word
    const auto start = Clock::now();
    c.cut(*engine);
    while (output_->Finished() < 1 && Clock::now() - start < 10s) std::this_thread::sleep_for(1ms);
    EXPECT_LT(Clock::now() - start, 2s) << "the word played on";
    engine->WaitUntilDone();
    if (c.heard != nullptr) {
      EXPECT_EQ(Played(), c.heard);
    }
    EXPECT_LT(Clock::now() - start, 4s) << "the second long word was played";
    EXPECT_FALSE(output_->IsPlaying());
  }
}

TEST_F(EngineTest, SpeakAndWaitPlaysTheWholeTextInOrder) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->SpeakAndWait("a e o");
  EXPECT_EQ(Played(), "aeo");
  EXPECT_FALSE(engine->IsSpeaking());
  EXPECT_FALSE(output_->IsPlaying());
}

TEST_F(EngineTest, EmptyTextsSpeakNothing) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak("");
  engine->WaitUntilDone();
  engine->SpeakAndWait("");
  engine->SpeakDirect("");
  EXPECT_EQ(output_->Started(), 0u);
  EXPECT_EQ(engine->RecordingLength(), 0u);
  EXPECT_FALSE(engine->IsSpeaking());
}

TEST_F(EngineTest, StopWhenIdleReturnsAndLeavesTheEngineIdle) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Stop();
  engine->Stop();
  EXPECT_FALSE(engine->IsSpeaking());
  engine->SpeakAndWait("a");
  EXPECT_EQ(Played(), "a");
}

TEST_F(EngineTest, SpeakVerbatimSpeaksOnlyTheFirstWordOfItsExpansion) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->SpeakVerbatim("(");  // "parantez aç"
  EXPECT_EQ(Played(), "PRT");
}

TEST_F(EngineTest, SpeakCharacterNamesTheCharacter) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->SpeakCharacter(',');  // virgül
  EXPECT_EQ(Played(), "VG");
}

TEST_F(EngineTest, PlayUnitsPlaysExactlyTheNamedUnits) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->PlayUnits("pa ran tez");
  engine->PlayUnits("a zzz");  // a missing unit silences the token
  engine->PlayUnits("");
  EXPECT_EQ(Played(), "PRT");
  ASSERT_EQ(output_->Started(), 3u);
  EXPECT_EQ(output_->Sounds()[1], Bytes(44, 0)) << "only the pause";
}

TEST_F(EngineTest, MoreThanTheQueueHoldsIsSpokenWhole) {
  for (bool threads : {true, false}) {
    SCOPED_TRACE(threads ? "producer and consumer threads" : "calling thread");
    auto engine = Engine(AudioBackendKind::Null, threads);
    engine->SpeakAndWait(Repeat("a", 12000) + "e");
    EXPECT_EQ(Played(), std::string(12000, 'a') + "e");
  }
}

TEST_F(EngineTest, StopWhileTheProducerWaitsForPlacesThenANewSpeak) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 15000));  // the producer fills the queue and waits
  ASSERT_TRUE(output_->WaitForStarted(2));
  engine->Stop();
  EXPECT_FALSE(engine->IsSpeaking());
  const std::size_t before = Played().size();
  EXPECT_LT(before, 15000u);
  engine->SpeakAndWait("e o");
  EXPECT_EQ(Played().substr(before), "eo");
}

TEST_F(EngineTest, NothingIsPlayedAfterStopReturns) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 50));
  ASSERT_TRUE(output_->WaitForStarted(1));
  engine->Stop();
  const std::size_t atStop = output_->Started();
  EXPECT_EQ(output_->Finished(), atStop) << "Stop returned while a token was on the device";
  // Anything of the first utterance played after Stop would stand before the o.
  engine->SpeakAndWait("o");
  EXPECT_EQ(Played(), std::string(atStop, 'a') + "o");
}

TEST_F(EngineTest, PunctuationSwitchGovernsSymbolTokens) {
  auto engine = Engine(AudioBackendKind::Null);
  EXPECT_TRUE(engine->IsPunctuationReading());
  engine->SpeakAndWait("a, e");
  EXPECT_EQ(Played(), "aVGe");
  engine->SetPunctuationReading(0x100);  // only the low byte counts
  EXPECT_FALSE(engine->IsPunctuationReading());
  engine->SpeakAndWait("a, e");
  EXPECT_EQ(Played(), "aVGeae");
}

TEST_F(EngineTest, PunctuationSwitchWrittenWhileAProducerReadsIt) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->Speak(Repeat("a ,", 3000));
  for (int i = 0; i < 200; ++i) engine->SetPunctuationReading(i % 2);
  engine->WaitUntilDone();
  EXPECT_TRUE(engine->IsPunctuationReading());  // the last write (199) switched it on
  // Every word is played, and each comma either whole ("virgül") or not at all.
  std::string played = Played();
  EXPECT_EQ(std::count(played.begin(), played.end(), 'a'), 3000);
  std::string commas = played;
  std::erase(commas, 'a');
  for (std::size_t i = 0; i < commas.size(); i += 2) {
    ASSERT_EQ(commas.substr(i, 2), "VG") << "at " << i;
  }
}

TEST_F(EngineTest, SynchronousEntriesPlayAfterTheCurrentToken) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 5));
  engine->SpeakVerbatim("o");
  engine->WaitUntilDone();
  const std::string played = Played();
  EXPECT_EQ(std::count(played.begin(), played.end(), 'a'), 5);
  EXPECT_EQ(std::count(played.begin(), played.end(), 'o'), 1);
}

TEST_F(EngineTest, DestructionWhileSpeakingEndsCleanly) {
  auto engine = Engine(AudioBackendKind::Clocked);
  engine->Speak(Repeat("a", 200));
  ASSERT_TRUE(output_->WaitForStarted(1));
  auto destroyed = std::async(std::launch::async, [&] { engine.reset(); });
  ASSERT_EQ(destroyed.wait_for(20s), std::future_status::ready) << "destruction hangs";
  const std::size_t started = output_->Started();
  EXPECT_LT(started, 200u) << "destruction waited for the whole text";
  EXPECT_EQ(output_->Finished(), started) << "the device was closed under a playing token";
  EXPECT_EQ(Played(), std::string(started, 'a'));
}

TEST_F(EngineTest, ManySpeakAndStopCallsWhileSpeechRuns) {
  auto engine = Engine(AudioBackendKind::Clocked);
  for (int i = 0; i < 300; ++i) {
    const std::size_t started = output_->Started();
    engine->Speak(Repeat(i % 2 ? "a" : "e", 30));
    if (i % 50 == 0) {
      ASSERT_TRUE(output_->WaitForStarted(started + 1)) << "round " << i;
    }
    if (i % 3 == 0) engine->Stop();
  }
  engine->SpeakAndWait("o");
  const std::string played = Played();
  ASSERT_FALSE(played.empty());
  EXPECT_EQ(played.back(), 'o');
  EXPECT_FALSE(engine->IsSpeaking());
}

TEST_F(EngineTest, NoTokenIsLostWhenTheProducerFinishesBetweenTwoPolls) {
  auto engine = Engine(AudioBackendKind::Null);
  for (int i = 0; i < 1000; ++i) {
    engine->SpeakAndWait("a e");
    ASSERT_EQ(output_->Started(), 2u * (i + 1)) << "round " << i;
  }
}

TEST_F(EngineTest, CallingThreadFallbackSpeaksBeforeReturning) {
  auto engine = Engine(AudioBackendKind::Clocked, false);
  engine->Speak("a e");
  EXPECT_EQ(Played(), "ae");
  EXPECT_FALSE(output_->IsPlaying());
  EXPECT_FALSE(engine->IsSpeaking());
}

TEST_F(EngineTest, RecordingIsSavedInTheHomeFolder) {
  auto engine = Engine(AudioBackendKind::Null);
  engine->SpeakAndWait("a");
  ASSERT_TRUE(engine->SaveRecording());
  const auto size = std::filesystem::file_size(home_.dir() / "veriler" / "output.wav");
  EXPECT_EQ(size, 44u + kUnitBytes + 2 * 44) << "header, the unit, its pause and the extra one";
  EXPECT_FALSE(engine->SaveRecording(home_.dir() / "no" / "such" / "out.wav"));
}

// Each entry point whose work fails tells the trace what failed, and the
// engine goes on working.
TEST_F(EngineTest, FailuresGoToTheTraceWithWhatFailed) {
  struct Case {
    const char* what;
    std::function<void(SpeechEngine&)> call;
    bool threads;
  } cases[] = {
      {"SpeakDirect", [](SpeechEngine& e) { e.SpeakDirect("a"); }, true},
      {"SpeakVerbatim", [](SpeechEngine& e) { e.SpeakVerbatim("a"); }, true},
      {"PlayUnits", [](SpeechEngine& e) { e.PlayUnits("a"); }, true},
      {"consumer", [](SpeechEngine& e) { e.SpeakAndWait("a e"); }, true},
      {"speaking on the calling thread", [](SpeechEngine& e) { e.Speak("a e"); }, false},
  };
  SetTraceEnabled(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto engine = Engine(AudioBackendKind::Null, c.threads);
    output_->FailWith("device unplugged");
    ::testing::internal::CaptureStdout();
    c.call(*engine);
    const std::string trace = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(trace.find(std::string(c.what) + " failed: device unplugged"), std::string::npos) << trace;
    output_->FailWith("");
    engine->SpeakAndWait("o");
    EXPECT_EQ(Played(), "o") << "the engine works after the failure";
  }
  SetTraceEnabled(false);
}

}  // namespace
}  // namespace lirvan
