#include "sd/settings.h"

#include <gtest/gtest.h>

#include "sd/event_writer.h"
#include "sd/module_config.h"
#include "speech/synthesis/rate_output.h"
#include "module_process.h"

namespace lirvan::sd {
namespace {

TEST(Settings, AppliesWhatTheServerSends) {
  Settings s;
  const auto bad = ApplySettings(s, {"rate=20", "pitch=-10", "volume=-50", "punctuation_mode=all",
                                     "spelling_mode=on", "cap_let_recogn=spell", "language=en",
                                     "voice=female1", "synthesis_voice=NULL", "pitch_range=50", "unknown=1"});
  EXPECT_TRUE(bad.empty());
  EXPECT_EQ(s.rate, 20);
  EXPECT_EQ(s.pitch, -10);
  EXPECT_EQ(s.volume, -50);
  EXPECT_EQ(s.punctuation, Punctuation::All);
  EXPECT_TRUE(s.spelling);
  EXPECT_EQ(s.capLetters, CapLetters::Spell);
  EXPECT_EQ(s.language, "en");
  EXPECT_EQ(s.voice, "female1");
}

TEST(Settings, BadValuesAreNamedAndChangeNothing) {
  Settings s;
  s.rate = 30;
  const auto bad = ApplySettings(s, {"rate=fast", "rate=", "punctuation_mode=loud", "no equals sign", "spelling_mode=yes"});
  EXPECT_EQ(bad.size(), 5u);
  EXPECT_EQ(s.rate, 30);
  EXPECT_EQ(s.punctuation, Punctuation::None);
}

TEST(Settings, NullRestoresTheDefaultAndNumbersAreClamped) {
  Settings s;
  ApplySettings(s, {"language=de", "punctuation_mode=all", "rate=500", "pitch=-900"});
  ApplySettings(s, {"language=NULL", "punctuation_mode=NULL"});
  EXPECT_EQ(s.language, "tr");
  EXPECT_EQ(s.punctuation, Punctuation::None);
  EXPECT_EQ(s.rate, 100);
  EXPECT_EQ(s.pitch, -100);
}

TEST(Settings, RateMapsOntoTheEnginesRange) {
  const std::vector<std::pair<int, int>> cases{{0, kNormalRate}, {100, kMaxRate}, {-100, kMinRate}, {50, 200}, {-50, 71}};
  for (const auto& [rate, percent] : cases) EXPECT_EQ(EnginePercent(rate), percent) << rate;
}

TEST(Settings, AudioMethod) {
  EXPECT_EQ(ParseAudioMethod({"audio_output_method=server"}), AudioMethod::Server);
  EXPECT_EQ(ParseAudioMethod({"audio_pulse_device=default", "audio_output_method=pulse,alsa"}), AudioMethod::OwnDevice);
  EXPECT_EQ(ParseAudioMethod({"audio_output_method=null"}), AudioMethod::Silent);
  EXPECT_EQ(ParseAudioMethod({}), AudioMethod::OwnDevice);
}

TEST(ModuleConfig, NamesTheVoiceFolder) {
  const std::filesystem::path def = "/default";
  EXPECT_EQ(ParseModuleConfig("# yorum\nLirvanVoiceHome \"/usr/share/lirvan\"\n", "/etc", def).voiceHome,
            "/usr/share/lirvan");
  EXPECT_EQ(ParseModuleConfig("LirvanVoiceHome ses\n", "/etc/sd", def).voiceHome, "/etc/sd/ses");
  EXPECT_EQ(ParseModuleConfig("Debug 1\n", "/etc", def).voiceHome, def);
  EXPECT_FALSE(ParseModuleConfig("LirvanVoiceHome \"\"\n", "/etc", def).error.empty());
  EXPECT_FALSE(ReadModuleConfig("/nonexistent/lirvan.conf", def).error.empty());
}

TEST(AudioEscape, RoundTripsEveryByte) {
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  const std::string escaped = EscapeAudio(all);
  EXPECT_EQ(escaped.find('\n'), std::string::npos);
  EXPECT_EQ(escaped.size(), 258u);  // '\n' and 0x7D take two bytes
  EXPECT_EQ(testing::UnescapeAudio(escaped), all);
}

}  // namespace
}  // namespace lirvan::sd
