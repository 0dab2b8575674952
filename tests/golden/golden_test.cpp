// The command-line contracts, through the real programs: every case of the
// files in tests/golden/<program>/ is run and compared. With
// LIRVAN_UPDATE_GOLDEN=1 the files are rewritten with what the programs
// printed (check the difference before committing it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/golden/golden_file.h"
#include "tests/golden/run_program.h"
#include "tests/speech/test_voice.h"

namespace lirvan::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The placeholders of the files and what they stand for in one run.
struct Places {
  std::vector<std::pair<std::string, std::string>> names;
  std::string Expand(std::string text) const {
    for (const auto& [name, value] : names) ReplaceAll(text, name, value);
    return text;
  }
  std::string Collapse(std::string text) const {
    for (const auto& [name, value] : names) ReplaceAll(text, value, name);
    return text;
  }
};

// Data bytes of a WAVE file, or -1 when it is missing or either size in
// its header (RIFF: the file less 8 bytes; data) does not match the file.
long WaveDataBytes(const fs::path& path) {
  const std::string bytes = ReadFile(path);
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) return -1;
  auto le32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
  };
  const bool true_sizes = le32(4) == bytes.size() - 8 && le32(40) == bytes.size() - 44;
  return true_sizes ? static_cast<long>(le32(40)) : -1;
}

class GoldenFiles : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
 protected:
  GoldenFiles() {
    // Three units of distinct bytes and a 4-byte pause.
    testVoice_.WriteVoice({{"mer", testing::Bytes(6, 1)}, {"ha", testing::Bytes(4, 2)},
                           {"ba", testing::Bytes(2, 3)}},
                          4);
  }

  // Runs one case; false when it needs the built voice and there is none.
  bool Check(const GoldenCase& c, GoldenCase& seen) {
    testing::TestHome run;  // a fresh folder to run in
    const Places places{{{"{voice}", LIRVAN_TEST_VOICE_HOME},
                         {"{testvoice}", testVoice_.dir().string()},
                         {"{run}", run.dir().string()}}};
    const bool needsVoice = std::any_of(c.args.begin(), c.args.end(), [](const std::string& a) {
      return a.find("{voice}") != std::string::npos;
    });
    if (needsVoice && !fs::exists(fs::path(LIRVAN_TEST_VOICE_HOME) / "veriler" / "index.dat")) return false;
    std::vector<std::string> args;
    for (const auto& a : c.args) args.push_back(places.Expand(a));
    const ProgramRun result = RunProgram(GetParam().second, args, c.input, run.dir().string());
    EXPECT_EQ(result.out, places.Expand(c.out));
    EXPECT_EQ(result.err, places.Expand(c.err));
    EXPECT_EQ(result.status, c.exit);
    seen = c;
    seen.out = places.Collapse(result.out);
    seen.err = places.Collapse(result.err);
    seen.exit = result.status;
    if (c.wav) {
      const long bytes = WaveDataBytes(run.dir() / c.wav->first);
      EXPECT_EQ(bytes, static_cast<long>(c.wav->second)) << c.wav->first;
      if (bytes >= 0) seen.wav->second = static_cast<std::size_t>(bytes);
    }
    return true;
  }

  testing::TestHome testVoice_;
};

TEST_P(GoldenFiles, ProgramPrintsWhatTheFilesSay) {
  const fs::path folder = fs::path(LIRVAN_SOURCE_DIR) / "tests" / "golden" / GetParam().first;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no golden files in " << folder;
  const bool update = std::getenv("LIRVAN_UPDATE_GOLDEN") != nullptr;
  int skipped = 0;
  for (const fs::path& path : files) {
    std::string error;
    const auto golden = ParseGolden(ReadFile(path), error);
    ASSERT_TRUE(golden) << path << ": " << error;
    GoldenFile seen = *golden;
    for (std::size_t i = 0; i < golden->cases.size(); ++i) {
      SCOPED_TRACE(path.filename().string() + ": " + golden->cases[i].name);
      if (!Check(golden->cases[i], seen.cases[i])) ++skipped;
    }
    if (update) std::ofstream(path, std::ios::binary | std::ios::trunc) << WriteGolden(seen);
  }
  if (skipped > 0) GTEST_SKIP() << skipped << " cases need the built voice in " << LIRVAN_TEST_VOICE_HOME;
}

std::string ProgramName(const ::testing::TestParamInfo<GoldenFiles::ParamType>& program) {
  std::string name = program.param.first;
  std::erase(name, '-');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Programs, GoldenFiles,
                         ::testing::Values(std::make_pair("lirvan-say", LIRVAN_SAY_PATH),
                                           std::make_pair("lirvan-calc", LIRVAN_CALC_PATH)),
                         ProgramName);

}  // namespace
}  // namespace lirvan::test
