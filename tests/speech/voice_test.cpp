// Checks on the voice the build generated.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
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

class Collect final : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token> token) override {
    tokens.push_back(std::move(token));
    return true;
  }
  std::vector<std::unique_ptr<Token>> tokens;
};

TEST_F(GeneratedVoice, NoWordOfOrdinaryProseIsSilent) {
  std::ifstream in(std::string(LIRVAN_SOURCE_DIR) + "/tests/data/turkce_metin.txt", std::ios::binary);
  const std::string utf8{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string text = Utf8ToCp1254(utf8);
  ASSERT_GT(text.size(), 1000u);
  Collect sink;
  TextFrontEnd frontEnd(sink, *index_);
  frontEnd.SetText(text);
  frontEnd.Run();
  int words = 0;
  std::vector<std::string> silent;
  for (const auto& t : sink.tokens) {
    if (t->kind == TokenKind::Rule) continue;
    // Blanks and line ends have no name and are silent by design.
    if (t->kind == TokenKind::Symbol && t->source.find_first_not_of(" \t\r\n") == std::string::npos) continue;
    ++words;
    int walked = 0;
    for (const UnitNode* n = t->units.get(); n != nullptr && walked < t->unitCount; n = n->next.get(), ++walked) {
      if (!index_->Has(n->name)) {
        silent.push_back(Cp1254ToUtf8(t->source) + " (" + Cp1254ToUtf8(n->name) + ")");
        break;
      }
    }
  }
  EXPECT_GT(words, 400);
  EXPECT_TRUE(silent.empty()) << silent.size() << " silent: " << ::testing::PrintToString(silent);
}

}  // namespace
}  // namespace lirvan
