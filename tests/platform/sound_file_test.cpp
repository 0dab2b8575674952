// Sound files written as the sound comes: WAVE headers that tell the truth,
// a split past the size limit, FLAC and Ogg read back through libsndfile.
#include <sndfile.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/sound_file.h"
#include "platform/wave_file.h"

namespace lirvan {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

// The fields a reader of the file relies on.
struct WaveFields {
  std::uint32_t riffSize, channels, sampleRate, byteRate, blockAlign, bits, dataSize;
  bool operator==(const WaveFields&) const = default;
};

WaveFields FieldsOf(const std::vector<std::uint8_t>& b) {
  return {Le(b, 4, 4), Le(b, 22, 2), Le(b, 24, 4), Le(b, 28, 4), Le(b, 32, 2), Le(b, 34, 2), Le(b, 40, 4)};
}

std::vector<std::uint8_t> Ramp(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  return bytes;
}

class SoundFileTest : public ::testing::Test {
 protected:
  SoundFileTest() {
    char pattern[] = "/tmp/lirvan-sound-XXXXXX";
    dir_ = mkdtemp(pattern);
  }
  ~SoundFileTest() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(SoundFileTest, WaveHeaderTellsTheTrueSizesAndFormat) {
  std::string error;
  const PcmFormat format{16, 22050, 1};
  auto file = OpenSoundFile(dir_ / "out.wav", format, error);
  ASSERT_NE(file, nullptr) << error;
  const auto data = Ramp(41088);
  ASSERT_TRUE(file->Write(std::span(data).first(1000)));
  ASSERT_TRUE(file->Write(std::span(data).subspan(1000)));
  ASSERT_TRUE(file->Finish());
  const auto bytes = ReadFile(dir_ / "out.wav");
  ASSERT_EQ(bytes.size(), 44u + data.size());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
  EXPECT_EQ(FieldsOf(bytes), (WaveFields{36 + 41088, 1, 22050, 44100, 2, 16, 41088}));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 44, bytes.end()), data);
  EXPECT_EQ(file->Files(), std::vector<fs::path>{dir_ / "out.wav"});
}

// Past the limit the sound goes on in the next file; no file ends inside a
// frame, and each header counts only its own data.
TEST_F(SoundFileTest, WaveSplitsPastItsLimitAndEveryHeaderIsTrue) {
  WaveFileWriter file(dir_ / "long.wav", CanonicalWaveHeader({16, 8000, 2}), 4, 11);
  ASSERT_TRUE(file.Open());
  const auto data = Ramp(21);
  ASSERT_TRUE(file.Write(std::span(data).first(5)));
  ASSERT_TRUE(file.Write(std::span(data).subspan(5)));
  ASSERT_TRUE(file.Finish());
  const std::vector<fs::path> expected{dir_ / "long.wav", dir_ / "long-2.wav", dir_ / "long-3.wav"};
  ASSERT_EQ(file.Files(), expected);
  std::vector<std::uint8_t> joined;
  for (const auto& [path, size] : {std::pair{expected[0], 8u}, {expected[1], 8u}, {expected[2], 5u}}) {
    SCOPED_TRACE(path.string());
    const auto bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 44u + size);
    EXPECT_EQ(Le(bytes, 40, 4), size);
    EXPECT_EQ(Le(bytes, 4, 4), 36 + size);
    joined.insert(joined.end(), bytes.begin() + 44, bytes.end());
  }
  EXPECT_EQ(joined, data) << "nothing lost or repeated at the splits";
}

// Sound is staged in whole pages: pieces of any size, handed one by one or
// several at once, come out in order across stages and across a split.
TEST_F(SoundFileTest, PiecesOfAnySizeComeOutInOrderAcrossStagesAndSplits) {
  const auto data = Ramp(3 * kWaveStageBytes + 12345);
  const std::size_t sizes[] = {1, 4095, 4097, kWaveStageBytes + 3, 7, 300000};
  for (const std::uint64_t limit : {kWaveDataLimit, std::uint64_t{kWaveStageBytes} + 1001}) {
    for (const bool together : {false, true}) {
      SCOPED_TRACE(std::to_string(limit) + (together ? " in groups" : " one by one"));
      WaveFileWriter file(dir_ / "staged.wav", CanonicalWaveHeader({8, 8000, 1}), 1, limit);
      ASSERT_TRUE(file.Open());
      std::vector<std::span<const std::uint8_t>> pieces;
      for (std::size_t at = 0, i = 0; at < data.size(); ++i) {
        const std::size_t n = std::min(sizes[i % std::size(sizes)], data.size() - at);
        pieces.push_back(std::span(data).subspan(at, n));
        at += n;
      }
      if (together) {
        ASSERT_TRUE(file.WritePieces(std::span(pieces).first(3)));
        ASSERT_TRUE(file.WritePieces(std::span(pieces).subspan(3)));
      } else {
        for (const auto piece : pieces) ASSERT_TRUE(file.Write(piece));
      }
      ASSERT_TRUE(file.Finish());
      std::vector<std::uint8_t> joined;
      for (const fs::path& path : file.Files()) {
        const auto bytes = ReadFile(path);
        ASSERT_GE(bytes.size(), 44u);
        EXPECT_EQ(Le(bytes, 40, 4), bytes.size() - 44) << path;
        joined.insert(joined.end(), bytes.begin() + 44, bytes.end());
      }
      EXPECT_EQ(file.Files().size(), limit == kWaveDataLimit ? 1u : 4u);
      EXPECT_EQ(joined, data);
    }
  }
}

// A disk that fills up: the writes kept in the stage fail when it is
// written, and the file is never reported as complete.
TEST_F(SoundFileTest, AFullDiskIsReportedNotPassedAsWritten) {
  WaveFileWriter file("/dev/full", CanonicalWaveHeader({16, 8000, 1}), 2);
  ASSERT_TRUE(file.Open()) << "opening the device succeeds; writing to it does not";
  const auto data = Ramp(10);
  ASSERT_TRUE(file.Write(data)) << "still in the stage";
  EXPECT_FALSE(file.Finish());
  WaveFileWriter large("/dev/full", CanonicalWaveHeader({16, 8000, 1}), 2);
  ASSERT_TRUE(large.Open());
  EXPECT_FALSE(large.Write(Ramp(kWaveStageBytes * 2))) << "a full stage is written at once";
  EXPECT_FALSE(large.Finish());
}

TEST_F(SoundFileTest, TheLimitIsWhatThirtyTwoBitSizesCanCount) {
  EXPECT_EQ(kWaveDataLimit + 36, 0xFFFFFFFFull);
  // A limit asked above the format's is held to it.
  WaveFileWriter file(dir_ / "x.wav", CanonicalWaveHeader({16, 8000, 1}), 2, 1ull << 40);
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.Finish());
  EXPECT_EQ(FieldsOf(ReadFile(dir_ / "x.wav")).riffSize, 36u);
}

TEST_F(SoundFileTest, BadNamesAndFoldersAreRefusedWithAReason) {
  const PcmFormat format{16, 22050, 1};
  struct Case {
    fs::path path;
    const char* reason;
  } cases[] = {
      {dir_ / "out.mp3", ".wav, .flac or .ogg"},
      {dir_ / "out", ".wav, .flac or .ogg"},
      {dir_ / "no" / "such" / "out.wav", "cannot write"},
      {dir_ / "no" / "such" / "out.flac", "cannot write"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    std::string error;
    EXPECT_EQ(OpenSoundFile(c.path, format, error), nullptr);
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  EXPECT_EQ(SoundFileKindOf("A.WAV"), SoundFileKind::Wave);
  EXPECT_EQ(SoundFileKindOf("b.Flac"), SoundFileKind::Flac);
}

// One second of a 220 Hz tone, written in pieces of odd sizes as tokens
// come, read back as the same number of frames (FLAC: the same samples).
TEST_F(SoundFileTest, FlacAndOggReadBackThroughLibsndfile) {
  for (const char* name : {"tone.flac", "tone.ogg"}) {
    for (int bits : {16, 8}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(bits));
      const PcmFormat format{bits, 22050, 1};
      std::vector<std::uint8_t> pcm;
      std::vector<short> expected;
      for (int i = 0; i < 22050; ++i) {
        const double v = std::sin(2 * M_PI * 220 * i / 22050.0) * 0.5;
        if (bits == 16) {
          const auto s = static_cast<short>(v * 32767);
          expected.push_back(s);
          pcm.push_back(static_cast<std::uint8_t>(s & 0xFF));
          pcm.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
        } else {
          const auto u = static_cast<std::uint8_t>(128 + static_cast<int>(v * 127));
          expected.push_back(static_cast<short>((u - 128) * 256));
          pcm.push_back(u);
        }
      }
      std::string error;
      auto file = OpenSoundFile(dir_ / name, format, error);
      ASSERT_NE(file, nullptr) << error;
      for (std::size_t at = 0; at < pcm.size(); at += 4410) {
        ASSERT_TRUE(file->Write(std::span(pcm).subspan(at, std::min<std::size_t>(4410, pcm.size() - at))));
      }
      ASSERT_TRUE(file->Finish());
      SF_INFO info{};
      SNDFILE* in = sf_open((dir_ / name).c_str(), SFM_READ, &info);
      ASSERT_NE(in, nullptr) << sf_strerror(nullptr);
      EXPECT_EQ(info.frames, 22050);
      EXPECT_EQ(info.samplerate, 22050);
      std::vector<short> samples(static_cast<std::size_t>(info.frames));
      sf_read_short(in, samples.data(), info.frames);
      sf_close(in);
      if (std::string(name).ends_with(".flac")) {
        EXPECT_EQ(samples, expected);
      }
    }
  }
}

}  // namespace
}  // namespace lirvan
