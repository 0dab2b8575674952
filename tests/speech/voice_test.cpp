// Checks on the voice the build generated.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "speech/units/letter_sounds.h"
#include "speech/units/unit_index.h"
#include "tools/voice/inventory.h"

namespace lirvan {
namespace {

class GeneratedVoice : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path home = LIRVAN_TEST_VOICE_HOME;
    if (!std::filesystem::exists(home / kIndexPath)) GTEST_SKIP() << "no generated voice in " << home;
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(home);
    index_ = std::make_unique<UnitIndex>(kIndexPath);
  }
  void TearDown() override {
    if (!old_.empty()) std::filesystem::current_path(old_);
  }
  std::filesystem::path old_;
  std::unique_ptr<UnitIndex> index_;
};

TEST_F(GeneratedVoice, HoldsEveryRequiredUnit) {
  std::vector<std::string> missing;
  for (const std::string& unit : voice::RequiredUnits()) {
    // Names longer than four letters have no entry in any index.
    if (unit.size() <= 4 && !index_->Has(unit)) missing.push_back(Cp1254ToUtf8(unit));
  }
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first: " << missing.front();
}

std::string Corpus(const char* name) {
  std::ifstream in(std::string(LIRVAN_SOURCE_DIR) + "/tests/data/" + name, std::ios::binary);
  const std::string utf8{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return Utf8ToCp1254(utf8);
}

struct Spoken {
  int words = 0;  // tokens with at least one letter to sound
  std::vector<std::string> silent;
};

// A sign without a name (a line feed, |) has nothing to say: its first
// unit is the sign itself, spelled.
bool Sayable(const Token& t) {
  return t.kind != TokenKind::Rule && !t.units->name.empty() && !LetterSound(t.units->name.front()).empty();
}

// Every token of the text as the front end makes it; a token with
// something to say is silent when any of its units is not recorded.
Spoken SpeakCorpus(const std::string& text, const UnitIndex& index, bool punctuation) {
  TokenCollector sink;
  TextFrontEnd frontEnd(sink, index);
  frontEnd.SetReadPunctuation(punctuation);
  frontEnd.SetText(text);
  frontEnd.Run();
  Spoken out;
  for (const auto& t : sink.tokens) {
    if (!Sayable(*t)) continue;
    ++out.words;
    int walked = 0;
    for (const UnitNode* n = t->units.get(); n != nullptr && walked < t->unitCount; n = n->next.get(), ++walked) {
      if (!index.Has(n->name)) {
        out.silent.push_back(Cp1254ToUtf8(t->source) + " (" + Cp1254ToUtf8(n->name) + ")");
        break;
      }
    }
  }
  return out;
}

constexpr const char* kCorpora[] = {"turkce_metin.txt", "teknik_metin.txt"};

TEST_F(GeneratedVoice, NoWordOfProseOrTechnicalTextIsSilent) {
  for (const char* corpus : kCorpora) {
    for (bool punctuation : {true, false}) {
      SCOPED_TRACE(std::string(corpus) + (punctuation ? " with punctuation" : ""));
      const std::string text = Corpus(corpus);
      ASSERT_GT(text.size(), 1000u);
      const Spoken spoken = SpeakCorpus(text, *index_, punctuation);
      EXPECT_GT(spoken.words, 400);
      EXPECT_TRUE(spoken.silent.empty()) << spoken.silent.size() << " silent: " << ::testing::PrintToString(spoken.silent);
    }
  }
}

// The mend does not lean on a rich voice: single letters are enough for
// every word to sound.
TEST(LettersOnlyVoice, NoWordIsSilent) {
  UnitIndex index;
  for (char c : Utf8ToCp1254("abcçdefgğhıijklmnoöprsştuüvyzâîû")) index.Store(std::string(1, c), 0, 2);
  for (const char* corpus : kCorpora) {
    SCOPED_TRACE(corpus);
    const Spoken spoken = SpeakCorpus(Corpus(corpus), index, true);
    EXPECT_GT(spoken.words, 400);
    EXPECT_TRUE(spoken.silent.empty()) << spoken.silent.size() << " silent: " << ::testing::PrintToString(spoken.silent);
  }
}

}  // namespace
}  // namespace lirvan
