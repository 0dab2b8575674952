#include "platform/audio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace lirvan {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const PcmFormat kFormat{16, 22050, 1};

TEST(AudioOutput, NullBackendReportsDoneAtOnce) {
  int done = 0;
  auto out = OpenAudioOutput(AudioBackendKind::Null, kFormat, [&] { ++done; });
  std::vector<std::uint8_t> buffer(44100);
  EXPECT_EQ(out->Write(buffer.data(), buffer.size()), 0);
  EXPECT_EQ(done, 1);
}

TEST(AudioOutput, ClockedBackendTakesTheBuffersPlayingTime) {
  std::atomic<bool> done{false};
  auto out = OpenAudioOutput(AudioBackendKind::Clocked, kFormat, [&] {
    done = true;
    done.notify_all();
  });
  std::vector<std::uint8_t> buffer(4410);  // 100 ms
  const auto start = Clock::now();
  ASSERT_EQ(out->Write(buffer.data(), buffer.size()), 0);
  done.wait(false);
  EXPECT_GE(Clock::now() - start, 95ms);
}

TEST(AudioOutput, ResetCutsTheClockedBufferAndReportsItOnce) {
  std::atomic<int> done{0};
  auto out = OpenAudioOutput(AudioBackendKind::Clocked, kFormat, [&] { ++done; });
  std::vector<std::uint8_t> buffer(441000);  // ten seconds
  ASSERT_EQ(out->Write(buffer.data(), buffer.size()), 0);
  out->Reset();
  EXPECT_EQ(done.load(), 1);
  out->Reset();  // nothing on the device: no second report
  EXPECT_EQ(done.load(), 1);
}

TEST(AudioOutput, DefaultBackendWithoutADeviceStillCompletesEveryBuffer) {
  // On a machine with a sound card this plays 10 ms of silence.
  std::atomic<bool> done{false};
  auto out = OpenAudioOutput(AudioBackendKind::Default, kFormat, [&] {
    done = true;
    done.notify_all();
  });
  std::vector<std::uint8_t> buffer(441);
  if (out->Write(buffer.data(), buffer.size()) == 0) done.wait(false);
  SUCCEED();
}

TEST(AudioOutput, ParsesBackendNames) {
  AudioBackendKind kind{};
  EXPECT_TRUE(ParseAudioBackend("null", kind));
  EXPECT_EQ(kind, AudioBackendKind::Null);
  EXPECT_TRUE(ParseAudioBackend("clocked", kind));
  EXPECT_TRUE(ParseAudioBackend("default", kind));
  EXPECT_FALSE(ParseAudioBackend("pulse", kind));
}

}  // namespace
}  // namespace lirvan
