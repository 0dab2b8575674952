// The lexicon store: routing, splits, duplicate keys, unsigned byte order.
#include "frontend/hash_trie.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace lirvan {
namespace {

std::size_t LeafCount(const TTSHashTrie::Node& node) {
  if (!node.inner) return 1;
  return LeafCount(*node.left) + LeafCount(*node.right);
}

std::size_t LargestLeaf(const TTSHashTrie::Node& node) {
  if (!node.inner) return node.entries.size();
  return std::max(LargestLeaf(*node.left), LargestLeaf(*node.right));
}

TEST(HashTrie, EmptyTrieFindsNothing) {
  TTSHashTrie trie;
  for (const char* key : {"", "a", "dr", "\xFE"}) EXPECT_EQ(trie.Lookup(key), "") << key;
  EXPECT_FALSE(trie.Root().inner);
}

TEST(HashTrie, CompareUsesUnsignedBytesAndShorterFirst) {
  struct C {
    const char* a;
    const char* b;
    int want;
  };
  const C cases[] = {
      {"a", "b", -1}, {"b", "a", 1}, {"ab", "ab", 0}, {"a", "ab", -1}, {"ab", "a", 1},
      {"", "", 0},    {"", "a", -1}, {"z", "\xE7", -1}, {"\xFE", "k", 1},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(TrieCompare(c.a, c.b), c.want);
  }
}

TEST(HashTrie, LaterEqualKeyHidesTheEarlierOne) {
  TTSHashTrie trie;
  trie.Insert("dr", "doktor");
  trie.Insert("dr", "doktorlar");
  EXPECT_EQ(trie.Lookup("dr"), "doktorlar");
}

TEST(HashTrie, FiveInsertionsSplitTheRootOnTheThirdKey) {
  // Inserted out of order; sorted they are aa bb cc dd ee.
  TTSHashTrie trie;
  for (const char* key : {"dd", "aa", "ee", "cc", "bb"}) trie.Insert(key, std::string("v") + key);
  const auto& root = trie.Root();
  ASSERT_TRUE(root.inner);
  EXPECT_EQ(root.prefixLength, 1u);
  EXPECT_EQ(root.separator, "c");
  ASSERT_TRUE(root.left && root.right);
  EXPECT_EQ(root.left->entries.size(), 3u);
  EXPECT_EQ(root.right->entries.size(), 2u);
  for (const char* key : {"aa", "bb", "cc", "dd", "ee"}) {
    EXPECT_EQ(trie.Lookup(key), std::string("v") + key) << key;
  }
}

TEST(HashTrie, SplitLengthensThePrefixUntilKeysPart) {
  // One first letter for all: the separator needs three bytes.
  TTSHashTrie trie;
  for (const char* key : {"kal", "kam", "kan", "kap", "kar"}) trie.Insert(key, key);
  const auto& root = trie.Root();
  ASSERT_TRUE(root.inner);
  EXPECT_EQ(root.prefixLength, 3u);
  EXPECT_EQ(root.separator, "kan");
  for (const char* key : {"kal", "kam", "kan", "kap", "kar"}) EXPECT_EQ(trie.Lookup(key), key);
}

TEST(HashTrie, TurkishLettersSortAfterAscii) {
  // ş is 0xFE, ç 0xE7, ö 0xF6, ü 0xFC: all above every ASCII letter.
  TTSHashTrie trie;
  const std::vector<std::string> keys = {"\xFE" "ey", "kal", "\xE7ok", "kar", "\xF6n",
                                         "ad",        "\xFC" "st", "zor", "\xFE" "u", "k"};
  for (const auto& key : keys) trie.Insert(key, "<" + key + ">");
  for (const auto& key : keys) EXPECT_EQ(trie.Lookup(key), "<" + key + ">") << key;
}

TEST(HashTrie, APrefixOfAStoredKeyIsNotFound) {
  TTSHashTrie trie;
  for (const char* key : {"dr", "prof", "vb", "vs", "bkz", "do\xE7"}) trie.Insert(key, "x");
  for (const char* key : {"d", "", "drr", "pro", "do"}) EXPECT_EQ(trie.Lookup(key), "") << key;
}

TEST(HashTrie, KeysNoPrefixCanSeparateStayTogetherNewestFirst) {
  struct Scenario {
    const char* name;
    std::vector<std::string> before;  // distinct keys inserted first
    int repeats;                      // then "x" inserted this many times
    std::vector<std::string> after;
  };
  const Scenario scenarios[] = {
      {"only equal keys", {}, 12, {}},
      {"equal keys after two smaller", {"a", "b"}, 10, {}},
      {"equal keys then larger and smaller", {}, 7, {"y", "a", "z", "w", "xa"}},
      {"equal keys among many", {"m", "n", "o", "p", "q", "r"}, 9, {"c", "d", "e", "f"}},
  };
  for (const Scenario& s : scenarios) {
    SCOPED_TRACE(s.name);
    TTSHashTrie trie;
    for (const auto& key : s.before) trie.Insert(key, key);
    for (int i = 0; i < s.repeats; ++i) {
      trie.Insert("x", "x" + std::to_string(i));
      EXPECT_EQ(trie.Lookup("x"), "x" + std::to_string(i));
    }
    for (const auto& key : s.after) trie.Insert(key, key);
    EXPECT_EQ(trie.Lookup("x"), "x" + std::to_string(s.repeats - 1));
    for (const auto& key : s.before) EXPECT_EQ(trie.Lookup(key), key);
    for (const auto& key : s.after) EXPECT_EQ(trie.Lookup(key), key);
  }
}

TEST(HashTrie, OnlyEqualRunsEverOverfillALeaf) {
  TTSHashTrie trie;
  for (int i = 0; i < 200; ++i) trie.Insert("k" + std::to_string(i), "v");
  EXPECT_LE(LargestLeaf(trie.Root()), TTSHashTrie::kLeafCapacity);
  EXPECT_GT(LeafCount(trie.Root()), 40u);
}

TEST(HashTrie, AgreesWithAMapUnderRandomInsertions) {
  // Short keys over a few bytes, CP1254 letters and the empty key among
  // them, so that equal keys and shared prefixes are frequent.
  const std::string alphabet = std::string("abk") + "\xE7\xFE\xFD";
  std::mt19937 rng(1254);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    TTSHashTrie trie;
    std::map<std::string, std::string> reference;
    for (int i = 0; i < 400; ++i) {
      std::string key;
      const int length = static_cast<int>(rng() % 4);
      for (int j = 0; j < length; ++j) key += alphabet[rng() % alphabet.size()];
      const std::string value = std::to_string(i);
      trie.Insert(key, value);
      reference[key] = value;
    }
    for (const auto& [key, value] : reference) ASSERT_EQ(trie.Lookup(key), value) << key;
    EXPECT_EQ(trie.Lookup("zzzz"), "");
  }
}

TEST(HashTrie, MovedTrieKeepsItsEntries) {
  TTSHashTrie a;
  for (const char* key : {"a", "b", "c", "d", "e", "f"}) a.Insert(key, key);
  TTSHashTrie b = std::move(a);
  EXPECT_EQ(b.Lookup("f"), "f");
  TTSHashTrie c;
  c.Insert("z", "z");
  c = std::move(b);
  EXPECT_EQ(c.Lookup("a"), "a");
  EXPECT_EQ(c.Lookup("z"), "");
}

}  // namespace
}  // namespace lirvan
