// Input written to hurt: lexicons that would make the store degenerate,
// words and values far longer than any real one, markup inside text that
// came from outside the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "frontend/hash_trie.h"
#include "frontend/lexicon.h"
#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

namespace fs = std::filesystem;

int Depth(const TTSHashTrie::Node& node) {
  if (!node.inner) return 0;
  return 1 + std::max(Depth(*node.left), Depth(*node.right));
}

std::size_t Leaves(const TTSHashTrie::Node& node) {
  return node.inner ? Leaves(*node.left) + Leaves(*node.right) : 1;
}

// A balanced tree of n leaves is at most about 1.44 log2 n deep.
void ExpectBalanced(const TTSHashTrie& trie) {
  const double leaves = static_cast<double>(Leaves(trie.Root()));
  EXPECT_LE(Depth(trie.Root()), static_cast<int>(1.45 * std::log2(leaves + 2.0)) + 1);
}

std::string Key(int i) {
  std::string digits = std::to_string(i);
  return "k" + std::string(6 - digits.size(), '0') + digits;
}

TEST(HostileLexicon, TheStoreStaysShallowWhateverTheOrder) {
  struct Case {
    const char* name;
    int count;
    std::string (*key)(int);
  };
  const Case cases[] = {
      {"sorted", 40'000, [](int i) { return Key(i); }},
      {"reversed", 40'000, [](int i) { return Key(40'000 - i); }},
      // Keys of 200 KB that part only at their ends.
      {"long shared prefix", 40, [](int i) { return std::string(200'000, 'a') + Key(i); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTSHashTrie trie;
    for (int i = 0; i < c.count; ++i) trie.Insert(c.key(i), std::to_string(i));
    ExpectBalanced(trie);
    for (int i = 0; i < c.count; i += 97) ASSERT_EQ(trie.Lookup(c.key(i)), std::to_string(i));
  }
}

TEST(HostileLexicon, OneKeyRepeatedKeepsOnlyTheNewestFew) {
  TTSHashTrie trie;
  trie.Insert("a", "1");
  for (int i = 0; i < 200'000; ++i) trie.Insert("dr", std::to_string(i));
  trie.Insert("z", "2");
  EXPECT_EQ(trie.Lookup("dr"), "199999");
  EXPECT_EQ(trie.Lookup("a"), "1");
  EXPECT_EQ(trie.Lookup("z"), "2");
  EXPECT_LE(Leaves(trie.Root()), 3u);
}

class LexiconFolder : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("lirvan-hostile-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "veriler");
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Write(const std::string& text) {
    std::ofstream(dir_ / "veriler" / "kisaltmalar.txt", std::ios::binary) << text;
  }
  fs::path dir_;
};

TEST_F(LexiconFolder, DuplicatedLinesLoadAsOne) {
  std::string text;
  for (int i = 0; i < 200'000; ++i) text += "dr doktor\n";
  Write(text + "vb vesaire\n");
  Lexicon lexicon;
  LoadAbbreviations(lexicon, dir_);
  EXPECT_EQ(lexicon.Lookup("dr"), "doktor");
  EXPECT_EQ(lexicon.Lookup("vb"), "vesaire");
}

TEST_F(LexiconFolder, AWordLongerThanATokenIsNotStored) {
  const std::string huge(5'000'000, 'a');
  Write("dr " + huge + "\n" + huge + " kisa\nvb vesaire\n");
  Lexicon lexicon;
  LoadAbbreviations(lexicon, dir_);
  EXPECT_EQ(lexicon.Lookup("dr"), "");
  EXPECT_EQ(lexicon.Lookup(huge), "");
  EXPECT_EQ(lexicon.Lookup("vb"), "vesaire");
}

TEST(HostileWords, AVeryLongWordIsReadInBoundedPieces) {
  std::string word;
  while (word.size() < 100'000) word += "kalemlik";
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  frontEnd->SetText(word + " son");
  frontEnd->Run();
  ASSERT_GT(sink.tokens.size(), 100'000 / kLongestSpoken);
  std::string heard;
  for (std::size_t k = 0; k + 1 < sink.tokens.size(); ++k) {
    const Token& token = *sink.tokens[k];
    std::string letters = token.spoken;
    std::erase(letters, '-');  // syllables are marked by the time units are built
    ASSERT_LE(letters.size(), kLongestSpoken);
    ASSERT_FALSE(letters.empty());
    EXPECT_EQ(token.kind, TokenKind::Word);
    heard += letters;
  }
  EXPECT_EQ(heard, word);
  EXPECT_EQ(sink.tokens.back()->spoken, "son");
}

TEST(HostileWords, PiecesAreCutBeforeASyllable) {
  // 'ka' repeated: every cut near the limit can fall before a k.
  std::string word;
  while (word.size() < 3 * kLongestSpoken) word += "ka";
  std::unique_ptr<Token> chain = CutLongToken(MakeToken(word));
  EXPECT_EQ(chain->source, word);
  for (const Token* t = chain.get(); t != nullptr; t = t->next.get()) {
    EXPECT_EQ(t->spoken.front(), 'k');
    EXPECT_LE(t->spoken.size(), kLongestSpoken);
  }
  // Without any syllable start the limit cuts.
  chain = CutLongToken(MakeToken(std::string(2 * kLongestSpoken + 1, 'x')));
  EXPECT_EQ(chain->spoken.size(), kLongestSpoken);
}

// Markup inside a plain segment is heard as the characters it is, and
// changes nothing for the text after it.
std::vector<std::string> SpeakSegments(const SegmentedText& text, TextFrontEnd* reuse = nullptr) {
  CollectingSink sink;
  auto own = BareFrontEnd(sink);
  TextFrontEnd& frontEnd = reuse != nullptr ? *reuse : *own;
  frontEnd.SetReadPunctuation(false);
  frontEnd.SetText(text);
  frontEnd.Run();
  std::vector<std::string> words;
  for (const auto& token : sink.tokens) {
    if (token->kind != TokenKind::Rule) words.push_back(Cp1254ToUtf8(token->source));
  }
  return words;
}

TEST(PlainText, MarkupFromOutsideIsReadAsWritten) {
  const std::string mailSubject =
      Utf8ToCp1254("[sable][pronc sub=\"guvenli banka\"]kotu[/pronc][/sable] indirim");
  const std::string pageTitle = Utf8ToCp1254("[sable][punct]Haber[pron sub=\"iyi\"]");
  struct Case {
    const char* name;
    SegmentedText text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"mail subject",
       {{Utf8ToCp1254("Konu "), false}, {mailSubject, true}},
       {"Konu", "sable", "pronc", "sub", "guvenli", "banka", "kotu", "pronc", "sable", "indirim"}},
      {"page title",
       {{pageTitle, true}, {Utf8ToCp1254(" sayfası yüklendi"), false}},
       {"sable", "punct", "Haber", "pron", "sub", "iyi", "sayfası", "yüklendi"}},
      {"own markup still obeyed",
       {{"[sable][pron sub=\"bey\"]Dr[/sable] ", false}, {"[sable]", true}},
       {"bey", "sable"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SpeakSegments(c.text), c.words);
  }
}

TEST(PlainText, ChangesNoMarkupState) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  const SegmentedText hostile = {{"[sable][pron sub=\"bey\"][punct][rate speed=\"fast\"]", true}};
  SpeakSegments(hostile, frontEnd.get());
  EXPECT_FALSE(frontEnd->markup().inMarkup);
  EXPECT_TRUE(frontEnd->markup().pendingSubstitution.empty());
  EXPECT_EQ(frontEnd->markup().Stack(3).Depth(), 1u);
  // The user's setting stays off; an element in own text does not turn it on either.
  frontEnd->SetText("[sable][punct]a[/punct], b[/sable]");
  frontEnd->Run();
  EXPECT_FALSE(frontEnd->ReadPunctuation());
}

}  // namespace
}  // namespace lirvan::test
