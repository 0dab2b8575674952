// The speaking rate: durations in proportion, pitch and voice kept, rates
// outside 50-400% clamped, every output fed the same speech.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <numeric>

#include "speech/engine/speech_engine.h"
#include "speech/synthesis/rate_output.h"
#include "tests/speech/collecting_output.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

using testing::CollectingOutput;

std::vector<short> Samples(const std::vector<std::uint8_t>& bytes) {
  std::vector<short> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// The fundamental frequency of the middle half of a voiced sound: the lag
// of the strongest normalised autocorrelation between 60 and 400 Hz.
double FundamentalHz(const std::vector<short>& s, int sampleRate) {
  const std::size_t begin = s.size() / 4;
  const std::size_t length = s.size() / 2;
  double best = -1;
  int bestLag = 0;
  for (int lag = sampleRate / 400; lag <= sampleRate / 60; ++lag) {
    double xy = 0, xx = 0, yy = 0;
    for (std::size_t i = begin; i + static_cast<std::size_t>(lag) < begin + length; ++i) {
      const double x = s[i], y = s[i + static_cast<std::size_t>(lag)];
      xy += x * y;
      xx += x * x;
      yy += y * y;
    }
    const double r = xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
    if (r > best) {
      best = r;
      bestLag = lag;
    }
  }
  return bestLag > 0 ? static_cast<double>(sampleRate) / bestLag : 0;
}

class RateWithTheVoice : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(home_ / kIndexPath)) GTEST_SKIP() << "no generated voice in " << home_;
  }
  // Bytes handed to the output for each thing said at the rate.
  std::vector<std::vector<std::uint8_t>> Say(int rate, const std::function<void(SpeechEngine&)>& say) {
    CollectingOutput output;
    SpeechEngine engine(EngineOptions{.audio = AudioBackendKind::Null, .home = home_, .output = &output,
                                      .rate = rate});
    say(engine);
    return output.Sounds();
  }
  static std::size_t Total(const std::vector<std::vector<std::uint8_t>>& sounds) {
    return std::accumulate(sounds.begin(), sounds.end(), std::size_t{0},
                           [](std::size_t n, const auto& s) { return n + s.size(); });
  }
  const std::filesystem::path home_ = LIRVAN_TEST_VOICE_HOME;
};

TEST_F(RateWithTheVoice, DurationsScaleInProportionPausesIncluded) {
  auto sentence = [](SpeechEngine& e) { e.SpeakAndWait("Merhaba, bug\xFCn hava \xE7ok g\xFCzel."); };
  const auto normal = Say(100, sentence);
  const double normalBytes = static_cast<double>(Total(normal));
  ASSERT_GT(normalBytes, 0);
  for (int rate : {50, 75, 150, 250, 400}) {
    SCOPED_TRACE(rate);
    const auto sounds = Say(rate, sentence);
    ASSERT_EQ(sounds.size(), normal.size()) << "the same tokens";
    const double expected = normalBytes * 100 / rate;
    EXPECT_NEAR(static_cast<double>(Total(sounds)), expected, expected * 0.1);
    // Every token, its pause with it, is scaled alike.
    for (std::size_t i = 0; i < sounds.size(); ++i) {
      const double one = static_cast<double>(normal[i].size()) * 100 / rate;
      EXPECT_NEAR(static_cast<double>(sounds[i].size()), one, one * 0.1 + 64) << "token " << i;
    }
  }
}

TEST_F(RateWithTheVoice, VowelKeepsItsPitchAtTwoAndAHalfTimes) {
  auto vowel = [](SpeechEngine& e) { e.PlayUnits("a a a a"); };
  const auto normal = Samples(Say(100, vowel).at(0));
  const auto fast = Samples(Say(250, vowel).at(0));
  EXPECT_NEAR(static_cast<double>(fast.size()), normal.size() / 2.5, normal.size() / 2.5 * 0.1);
  const double f0 = FundamentalHz(normal, 22050);
  ASSERT_GT(f0, 60);
  EXPECT_NEAR(FundamentalHz(fast, 22050), f0, f0 * 0.05) << "the pitch moved with the rate";
}

TEST_F(RateWithTheVoice, NormalRateHandsTheVoiceOnUntouched) {
  auto word = [](SpeechEngine& e) { e.PlayUnits("mer ha ba"); };
  const auto atNormal = Say(100, word);
  // Back to 100% after another rate: the same bytes again.
  const auto again = Say(100, [](SpeechEngine& e) {
    e.SetRate(300);
    e.PlayUnits("mer ha ba");
    e.SetRate(100);
    e.PlayUnits("mer ha ba");
  });
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(again[1], atNormal.at(0));
  EXPECT_LT(again[0].size(), again[1].size() / 2);
}

TEST(Rate, OutsideFiftyToFourHundredIsClamped) {
  testing::TestHome home;
  home.WriteVoice({{"a", testing::Bytes(100, 1)}}, 4);
  SpeechEngine engine(EngineOptions{.audio = AudioBackendKind::Null, .home = home.dir(), .rate = 900});
  EXPECT_EQ(engine.Rate(), 400) << "the option is clamped too";
  const std::pair<int, int> cases[] = {{49, 50},   {50, 50},   {0, 50},        {-20, 50}, {INT_MIN, 50},
                                       {150, 150}, {400, 400}, {401, 400},     {INT_MAX, 400}};
  for (const auto& [asked, set] : cases) {
    SCOPED_TRACE(asked);
    EXPECT_EQ(engine.SetRate(asked), set);
    EXPECT_EQ(engine.Rate(), set);
  }
}

// Sonic takes 8-bit voices as well: a 120 Hz buzz of one second.
TEST(Rate, EightBitSoundIsScaledToo) {
  CollectingOutput device;
  RateOutput rate(device, 200);
  rate.Open(PcmFormat{8, 22050, 1});
  std::vector<std::uint8_t> buzz(22050);
  for (std::size_t i = 0; i < buzz.size(); ++i) buzz[i] = (i % 184) < 20 ? 200 : 100;
  rate.Play(buzz);
  ASSERT_EQ(device.Started(), 1u);
  EXPECT_NEAR(static_cast<double>(device.Sounds()[0].size()), 11025, 1103);
}

// A format Sonic cannot take, and an empty sound, pass on as they are.
TEST(Rate, UnscalableSoundPassesOnUnchanged) {
  CollectingOutput device;
  RateOutput rate(device, 300);
  rate.Open(PcmFormat{24, 22050, 1});
  const std::vector<std::uint8_t> sound(300, 7);
  rate.Play(sound);
  rate.Play({});
  ASSERT_EQ(device.Started(), 2u);
  EXPECT_EQ(device.Sounds()[0], sound);
  EXPECT_TRUE(device.Sounds()[1].empty());
}

}  // namespace
}  // namespace lirvan
