// The voice's sound file, mapped whole or read unit by unit: the same bytes
// either way, nothing read outside the file, and a streamed voice keeps
// units only within its budget.
#include "speech/synthesis/voice_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Ramp(std::size_t n, int step) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * static_cast<std::size_t>(step));
  return bytes;
}

void WriteAt(const fs::path& path, std::size_t at, const std::vector<std::uint8_t>& bytes) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(at));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Got(VoiceData& voice, std::uint64_t offset, std::size_t length) {
  const auto bytes = voice.Bytes(offset, length);
  return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>{};
}

class VoiceDataTest : public ::testing::Test {
 protected:
  VoiceDataTest() {
    home_.WriteFile("voice.dat", std::string(file_.begin(), file_.end()));
  }
  std::unique_ptr<VoiceData> Open(bool streamed, std::size_t budget = 1 << 20) {
    VoiceData::Error error{};
    return streamed ? OpenStreamedVoice(path_, budget, error) : OpenMappedVoice(path_, error);
  }
  testing::TestHome home_;
  const std::vector<std::uint8_t> file_ = Ramp(10000, 3);
  const fs::path path_ = home_.dir() / "voice.dat";
};

TEST_F(VoiceDataTest, BothReadTheSameBytesAndNothingOutsideTheFile) {
  const struct {
    std::uint64_t offset;
    std::size_t length;
    bool inside;
  } cases[] = {
      {0, 44, true},       {44, 9956, true},    {9999, 1, true},
      {10000, 0, true},    {5000, 0, true},     {9999, 2, false},
      {10001, 0, false},   {1ull << 62, 1, false}, {1, ~std::size_t{0}, false},
  };
  for (const bool streamed : {false, true}) {
    auto voice = Open(streamed);
    ASSERT_NE(voice, nullptr);
    EXPECT_EQ(voice->size(), file_.size());
    EXPECT_EQ(voice->Streamed(), streamed);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(c.offset) + "+" + std::to_string(c.length) + (streamed ? " streamed" : " mapped"));
      const auto bytes = voice->Bytes(c.offset, c.length);
      ASSERT_EQ(bytes.has_value(), c.inside);
      if (!c.inside) continue;
      const auto begin = file_.begin() + static_cast<std::ptrdiff_t>(c.offset);
      EXPECT_EQ(std::vector<std::uint8_t>(bytes->begin(), bytes->end()),
                std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(c.length)));
    }
  }
}

TEST_F(VoiceDataTest, AMissingFileOrAFolderIsRefusedWithItsReason) {
  for (const bool streamed : {false, true}) {
    SCOPED_TRACE(streamed ? "streamed" : "mapped");
    VoiceData::Error error{};
    const auto open = [&](const fs::path& path) {
      return streamed ? OpenStreamedVoice(path, 100, error) : OpenMappedVoice(path, error);
    };
    EXPECT_EQ(open(home_.dir() / "none.dat"), nullptr);
    EXPECT_EQ(error, VoiceData::Error::Missing);
    EXPECT_EQ(open(home_.dir()), nullptr);
    EXPECT_EQ(error, VoiceData::Error::SizeUnavailable);
  }
}

// Which units a streamed voice still holds shows when the file changes
// under it: a unit kept answers with the old bytes, one let go is read
// again and answers with the new. Units are kept until one no longer fits
// in the budget; at the end of that token all are let go.
TEST_F(VoiceDataTest, AStreamedVoiceKeepsUnitsUntilItsBudgetIsFull) {
  auto voice = Open(true, 64);
  const auto a = Got(*voice, 0, 32);
  const auto b = Got(*voice, 32, 32);
  voice->Forget();  // 64 bytes: the budget is full, and nothing has overflowed
  const auto changed = Ramp(200, 5);
  WriteAt(path_, 0, changed);
  const auto part = [&](std::ptrdiff_t at) {
    return std::vector<std::uint8_t>(changed.begin() + at, changed.begin() + at + 32);
  };
  EXPECT_EQ(Got(*voice, 0, 32), a) << "kept";
  EXPECT_EQ(Got(*voice, 32, 32), b) << "kept";
  EXPECT_EQ(Got(*voice, 64, 32), part(64)) << "past the budget: read now, the new bytes";
  EXPECT_EQ(Got(*voice, 0, 32), a) << "still kept within the token";
  voice->Forget();
  EXPECT_EQ(Got(*voice, 0, 32), part(0)) << "let go, read again";
  EXPECT_EQ(Got(*voice, 32, 32), part(32));
  EXPECT_NE(a, part(0));
  // A unit larger than the whole budget is still read.
  auto small = Open(true, 16);
  EXPECT_EQ(Got(*small, 300, 500), std::vector<std::uint8_t>(file_.begin() + 300, file_.begin() + 800));
}

TEST_F(VoiceDataTest, AStreamedVoiceWhoseFileShrinksReadsNothingPastItsEnd) {
  auto voice = Open(true);
  fs::resize_file(path_, 100);
  EXPECT_FALSE(voice->Bytes(5000, 10).has_value()) << "the unit is missing, never garbage";
  EXPECT_EQ(Got(*voice, 50, 10), std::vector<std::uint8_t>(file_.begin() + 50, file_.begin() + 60));
}

}  // namespace
}  // namespace lirvan
