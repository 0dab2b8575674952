#include "speech/synthesis/wave.h"

#include <gtest/gtest.h>

#include <vector>

namespace lirvan {
namespace {

Wave WaveOf(std::vector<std::uint8_t> bytes, int head = 0, int tail = 0) {
  Wave w;
  w.Set(std::move(bytes));
  w.headMark = head;
  w.tailMark = tail;
  return w;
}

TEST(Wave, AppendJoinsEndToEndAndTakesTheTailMark) {
  Wave a = WaveOf({1, 2, 3});
  a.Append(WaveOf({4, 5}, 0, 9));
  EXPECT_EQ(std::vector<std::uint8_t>(a.bytes().begin(), a.bytes().end()),
            (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(a.tailMark, 9);
}

TEST(Wave, JoinMarksCutTheEndOfTheFirstWave) {
  // 7 x tailMark bytes; at most half when the cut reaches 1.5 times the length.
  Wave a = WaveOf(std::vector<std::uint8_t>(20, 1), 0, 1);
  a.Append(WaveOf({2}, 1, 0));
  EXPECT_EQ(a.length(), 13u + 1);
  Wave b = WaveOf(std::vector<std::uint8_t>(10, 1), 0, 3);  // cut 21 >= 15: half
  b.Append(WaveOf({2}, 1, 0));
  EXPECT_EQ(b.length(), 5u + 1);
  Wave c = WaveOf(std::vector<std::uint8_t>(20, 1), 0, 1);  // no head mark: no cut
  c.Append(WaveOf({2}));
  EXPECT_EQ(c.length(), 21u);
}

TEST(Wave, AppendingAllDayGrowsGeometrically) {
  Wave w;
  const Wave piece = WaveOf(std::vector<std::uint8_t>(1000, 7));
  int reallocations = 0;
  const std::uint8_t* last = nullptr;
  for (int i = 0; i < 10000; ++i) {
    w.Append(piece);
    if (w.data() != last) ++reallocations;
    last = w.data();
  }
  EXPECT_EQ(w.length(), 10'000'000u);
  EXPECT_LT(reallocations, 40);  // a copy per append would be 10000
}

TEST(Wave, ClearAndDropFront) {
  Wave w = WaveOf({1, 2, 3, 4}, 5, 6);
  w.DropFront(3);
  EXPECT_EQ(w.length(), 1u);
  EXPECT_EQ(w.bytes()[0], 4);
  w.DropFront(10);
  EXPECT_EQ(w.length(), 0u);
  w.Clear();
  EXPECT_EQ(w.data(), nullptr);
  EXPECT_EQ(w.headMark, 0);
  EXPECT_EQ(w.tailMark, 0);
}

}  // namespace
}  // namespace lirvan
