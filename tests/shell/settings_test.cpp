// veriler/ayarlar.dat as read at start-up and written by the dialog.
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "shell/settings.h"

namespace lirvan {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.path().toStdString() + "/ayarlar.dat"; }
  void Write(const std::string& content) const {
    std::ofstream(Path(), std::ios::binary) << content;
  }
  std::string Content() const {
    std::ifstream in(Path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  QTemporaryDir dir_;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
  const ProgramSettings s = ReadSettings(Path());
  EXPECT_EQ((std::array{s.readGreeting, s.echoCharacters, s.readPunctuation}),
            (std::array<std::uint8_t, 3>{1, 0, 1}));
}

TEST_F(SettingsFileTest, FirstSixCharactersOfTheFirstLineCount) {
  struct Case {
    const char* content;
    std::array<std::uint8_t, 3> expected;
  };
  const Case cases[] = {
      {"0 1 0\n", {0, 1, 0}},
      {"1 0 1\n0 0 0\n", {1, 0, 1}},  // further lines do not count
      {"", {0, 0, 0}},                // an empty file switches all off
      {"1 1", {1, 1, 0}},
      {"x 1 1", {0, 0, 0}},           // parsing stops at the first bad value
      {"1 1 1 0", {1, 1, 1}},
      {"12 1 1", {12, 1, 1}},
      {"256 1 1", {0, 1, 0}},         // low byte; the third value is cut off
      {"  1 1 1", {1, 1, 0}},         // blanks count among the six
      {"-1 0 1", {255, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    Write(c.content);
    const ProgramSettings s = ReadSettings(Path());
    EXPECT_EQ((std::array{s.readGreeting, s.echoCharacters, s.readPunctuation}), c.expected);
  }
}

TEST_F(SettingsFileTest, WritesThreeDigitsTwoBlanksAndTheLineEnd) {
  Write("0 0 0\nmore\n");
  ASSERT_TRUE(WriteSettings(1, 1, 1, Path()));
  EXPECT_EQ(Content(), "1 1 1\n");
  const ProgramSettings s = ReadSettings(Path());
  EXPECT_EQ((std::array{s.readGreeting, s.echoCharacters, s.readPunctuation}),
            (std::array<std::uint8_t, 3>{1, 1, 1}));
}

TEST_F(SettingsFileTest, LaterLinesSurviveEveryRewrite) {
  Write("0 1 0\nhiz=150\nbilinmeyen=x\n");
  const ProgramSettings read = ReadSettings(Path());
  EXPECT_EQ(read.echoCharacters, 1);
  EXPECT_EQ(read.Later("hiz"), "150");
  EXPECT_EQ(read.Later("yok"), std::nullopt);
  ASSERT_TRUE(WriteSettings(1, 1, 1, Path()));
  EXPECT_EQ(Content(), "1 1 1\nhiz=150\nbilinmeyen=x\n");
  ASSERT_TRUE(WriteLaterSetting("hiz", "200", Path()));
  ASSERT_TRUE(WriteLaterSetting("noktalama", "bazi", Path()));
  EXPECT_EQ(Content(), "1 1 1\nhiz=200\nbilinmeyen=x\nnoktalama=bazi\n");
}

TEST_F(SettingsFileTest, ALaterSettingAloneGetsTheDefaultFirstLine) {
  ASSERT_TRUE(WriteLaterSetting("hiz", "120", Path()));
  EXPECT_EQ(Content(), "1 0 1\nhiz=120\n");
}

TEST_F(SettingsFileTest, AFolderInPlaceOfTheFileGivesTheDefaults) {
  std::filesystem::create_directory(Path());
  const ProgramSettings s = ReadSettings(Path());
  EXPECT_EQ((std::array{s.readGreeting, s.echoCharacters, s.readPunctuation}),
            (std::array<std::uint8_t, 3>{1, 0, 1}));
  EXPECT_FALSE(WriteSettings(0, 0, 0, Path()));
  EXPECT_TRUE(std::filesystem::is_directory(Path()));
}

TEST_F(SettingsFileTest, UnwritableFileIsReportedNotThrown) {
  EXPECT_FALSE(WriteSettings(1, 0, 1, dir_.path().toStdString() + "/yok/ayarlar.dat"));
}

}  // namespace
}  // namespace lirvan
