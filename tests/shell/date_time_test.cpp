// The date-and-time sentence in Turkish, whatever the system locale.
#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "shell/date_time.h"

namespace lirvan {
namespace {

std::tm At(int year, int month, int day, int weekday, int hour, int minute) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_wday = weekday;
  t.tm_hour = hour;
  t.tm_min = minute;
  return t;
}

TEST(DateTimeSentence, NoLeadingZerosAndTurkishNames) {
  struct Case {
    std::tm time;
    const char* expected;
  };
  const Case cases[] = {
      {At(2024, 1, 1, 1, 9, 5), "bugün 1 Ocak 2024 Pazartesi saat şu anda 9 5"},
      {At(2024, 12, 8, 0, 14, 30), "bugün 8 Aralık 2024 Pazar saat şu anda 14 30"},
      {At(2025, 2, 28, 5, 0, 0), "bugün 28 Şubat 2025 Cuma saat şu anda 0 0"},
      {At(2025, 8, 13, 3, 6, 54), "bugün 13 Ağustos 2025 Çarşamba saat şu anda 6 54"},
      {At(2025, 9, 20, 6, 23, 59), "bugün 20 Eylül 2025 Cumartesi saat şu anda 23 59"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(Cp1254ToUtf8(DateTimeSentence(c.time)), c.expected);
  }
}

TEST(DateTimeSentence, ImpossibleDateLeavesTheDatePieceEmpty) {
  EXPECT_EQ(Cp1254ToUtf8(DateTimeSentence(At(2024, 13, 1, 9, 10, 0))),
            "bugün  saat şu anda 10 0");
}

}  // namespace
}  // namespace lirvan
