#include "platform/audio_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
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

// Without a sound card the default backend falls back to a silent one; with
// one it plays 10 ms of silence. Either way the buffer is taken and its done
// report comes.
TEST(AudioOutput, DefaultBackendWithoutADeviceStillCompletesEveryBuffer) {
  std::mutex mutex;
  std::condition_variable reported;
  int done = 0;
  auto out = OpenAudioOutput(AudioBackendKind::Default, kFormat, [&] {
    std::lock_guard lock(mutex);
    ++done;
    reported.notify_all();
  });
  std::vector<std::uint8_t> buffer(441);
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(out->Write(buffer.data(), buffer.size()), 0) << "buffer " << i;
    std::unique_lock lock(mutex);
    EXPECT_TRUE(reported.wait_for(lock, 10s, [&] { return done == i + 1; })) << "buffer " << i;
  }
}

TEST(AudioOutput, ParsesBackendNames) {
  AudioBackendKind kind{};
  EXPECT_TRUE(ParseAudioBackend("null", kind));
  EXPECT_EQ(kind, AudioBackendKind::Null);
  EXPECT_TRUE(ParseAudioBackend("clocked", kind));
  EXPECT_TRUE(ParseAudioBackend("default", kind));
  EXPECT_FALSE(ParseAudioBackend("pulse", kind));
}

// A damaged voice header can hold any numbers: they never overflow, and a
// rate that does not fit is 0, which callers treat as unusable.
TEST(PcmFormat, BytesPerSecondOfUsualAndDamagedHeaders) {
  struct Case {
    PcmFormat format;
    int expected;
  };
  const Case cases[] = {
      {{16, 22050, 1}, 44100},
      {{8, 11025, 2}, 22050},
      {{4096, 1445068800, 1}, 0},
      {{16, -22050, 1}, 0},
      {{16, 2147483647, 2147483647}, 0},
      {{0, 22050, 1}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.format.BytesPerSecond(), c.expected)
        << c.format.bitsPerSample << " bits, " << c.format.sampleRate << " Hz, " << c.format.channels;
  }
}

}  // namespace
}  // namespace lirvan
