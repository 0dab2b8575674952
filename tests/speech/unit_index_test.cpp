#include "speech/units/unit_index.h"

#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "tests/speech/test_voice.h"

namespace lirvan {
namespace {

TEST(UnitIndex, EntryNumbersFollowTheLevelFormulas) {
  struct Case {
    const char* utf8;
    std::size_t entry;
  } cases[] = {{"a", 0},       {"û", 34},         {"aa", 35},       {"ab", 36},
               {"ba", 70},     {"aaa", 1260},     {"aaaa", 44135},  {"ûûûû", 1544759},
               {"z", 25},      {"ç", 26},         {"ş", 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    const auto n = EntryNumber(Utf8ToCp1254(c.utf8));
    ASSERT_TRUE(n.has_value());
    EXPECT_EQ(*n, c.entry);
  }
  EXPECT_EQ(kUnitEntryCount, 1544760u);
}

TEST(UnitIndex, NamesWithoutAnEntry) {
  for (const std::string name : {"", "aaaaa", "A", "a1", "a b", "\xE9", "\xC7"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(EntryNumber(name).has_value());
  }
}

TEST(UnitIndex, StoreFindAndHas) {
  UnitIndex index;
  EXPECT_FALSE(index.Has("mer"));
  index.Store("mer", 10, 20);
  index.Store("aaaaa", 0, 5);  // five letters: ignored
  index.Store("ha", 5, 0);     // size 0: absent
  index.Store("ba", -1, 3);    // negative offset: stored, not present
  EXPECT_TRUE(index.Has("mer"));
  EXPECT_EQ(index.Find("mer")->offset, 10);
  EXPECT_FALSE(index.Has("aaaaa"));
  EXPECT_FALSE(index.Find("aaaaa").has_value());
  EXPECT_FALSE(index.Has("ha"));
  EXPECT_TRUE(index.Find("ha").has_value());
  EXPECT_FALSE(index.Find("ba")->Present());
  EXPECT_FALSE(index.Find("ab")->Present());  // untouched entries start absent
}

TEST(UnitIndex, ReadsTheIndexFileAsFieldsWithTheLaterRecordWinning) {
  testing::TestHome home;
  home.WriteFile("veriler/index.dat",
                 "3 mer 5336 100\n2 ha\n5436 50 2 ha 6000 70\n"
                 "5 aaaaa 0 10\n"
                 "9 " + std::string(300, 'a') + " 0 10\n"
                 "1 b x y\n"
                 "1 c 99999999999999 -99999999999999\n");
  UnitIndex index(kIndexPath);
  EXPECT_EQ(index.Find("mer")->size, 100);
  EXPECT_EQ(index.Find("ha")->offset, 6000);  // listed twice: the second counts
  EXPECT_FALSE(index.Has("aaaaa"));
  EXPECT_FALSE(index.Has("b"));  // garbage numbers read as absent
  EXPECT_FALSE(index.Has("c"));  // huge values clamp, the negative size is absent
  // The five-letter record is ignored for the table but still tells where
  // the data lies.
  EXPECT_EQ(SmallestIndexOffset(kIndexPath), 0);
}

// Numbers are read as a stream reads them: an optional sign, then digits up
// to the first byte that is none; blanks of any kind part the fields.
TEST(UnitIndex, NumbersAndBlanksAreReadAsAStreamReadsThem) {
  testing::TestHome home;
  home.WriteFile("veriler/index.dat",
                 "1 a +40 10\n1 b 12abc 10\n1 c +-5 10\n1 d 2147483648 10\n"
                 "1 e -2147483649 10\n1\tf\v7\r\n\f8\n1 g 5");
  UnitIndex index(kIndexPath);
  const struct {
    const char* name;
    std::int32_t offset, size;
  } cases[] = {
      {"a", 40, 10},
      {"b", 12, 10},
      {"c", -1, 10},
      {"d", 2147483647, 10},
      {"e", -2147483647 - 1, 10},
      {"f", 7, 8},
      {"g", 5, -1},  // the file ends before the size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(index.Find(c.name).has_value());
    EXPECT_EQ(index.Find(c.name)->offset, c.offset);
    EXPECT_EQ(index.Find(c.name)->size, c.size);
  }
  EXPECT_EQ(SmallestIndexOffset(kIndexPath), 5);
}

TEST(UnitIndex, MissingOrEmptyIndexLeavesEveryEntryAbsent) {
  testing::TestHome home;
  UnitIndex missing(kIndexPath);
  EXPECT_FALSE(missing.Has("a"));
  EXPECT_FALSE(SmallestIndexOffset(kIndexPath).has_value());
  home.WriteFile("veriler/index.dat", "");
  UnitIndex empty(kIndexPath);
  EXPECT_FALSE(empty.Has("a"));
  EXPECT_FALSE(SmallestIndexOffset(kIndexPath).has_value());
}

}  // namespace
}  // namespace lirvan
