// The speaking rate's later line, its steps and the sentence that says it.
#include "shell/speaking_rate.h"

#include <gtest/gtest.h>

#include "platform/cp1254.h"

namespace lirvan {
namespace {

TEST(SpeakingRate, OnlyAWholeNumberWithinTheRangeIsTakenFromTheFile) {
  const struct {
    std::optional<std::string> value;
    int rate;
  } cases[] = {
      {std::nullopt, 100}, {"150", 150}, {"50", 50},  {"400", 400}, {"49", 100},
      {"401", 100},        {"", 100},    {"abc", 100}, {"150x", 100}, {" 150", 100},
      {"-150", 100},       {"99999999999999999999", 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.value_or("(none)"));
    EXPECT_EQ(RateFromSetting(c.value), c.rate);
  }
}

TEST(SpeakingRate, StepsStopAtTheLimitsAndSaySo) {
  const struct {
    int from;
    int delta;
    int rate;
    bool clamped;
    const char* said;
  } cases[] = {
      {100, 10, 110, false, "hız yüzde 110"},
      {100, -10, 90, false, "hız yüzde 90"},
      {390, 10, 400, false, "hız yüzde 400"},
      {400, 10, 400, true, "hız yüzde 400, en yüksek hız"},
      {395, 10, 400, true, "hız yüzde 400, en yüksek hız"},
      {60, -10, 50, false, "hız yüzde 50"},
      {50, -10, 50, true, "hız yüzde 50, en düşük hız"},
      {55, -10, 50, true, "hız yüzde 50, en düşük hız"},
      {100, 1000000, 400, true, "hız yüzde 400, en yüksek hız"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << " by " << c.delta);
    const RateChange change = StepRate(c.from, c.delta);
    EXPECT_EQ(change.rate, c.rate);
    EXPECT_EQ(change.clamped, c.clamped);
    EXPECT_EQ(Cp1254ToUtf8(RateSentence(change)), c.said);
  }
}

}  // namespace
}  // namespace lirvan
