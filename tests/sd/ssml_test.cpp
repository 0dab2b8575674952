#include "sd/ssml.h"

#include <gtest/gtest.h>

#include "sd/spoken_names.h"

namespace lirvan::sd {
namespace {

using K = Piece::Kind;

struct SsmlCase {
  const char* name;
  const char* ssml;
  std::vector<Piece> pieces;
};

class SsmlWalk : public ::testing::TestWithParam<SsmlCase> {};

TEST_P(SsmlWalk, GivesThePiecesInOrder) { EXPECT_EQ(WalkSsml(GetParam().ssml), GetParam().pieces); }

INSTANTIATE_TEST_SUITE_P(
    Cases, SsmlWalk,
    ::testing::Values(
        SsmlCase{"plain", "Merhaba dünya", {{K::Text, "Merhaba dünya", 0}}},
        SsmlCase{"speak", "<speak>Merhaba</speak>", {{K::Text, "Merhaba", 0}}},
        SsmlCase{"marks", "<speak>Bir <mark name=\"a\"/>iki<mark name='b'/></speak>",
                 {{K::Text, "Bir ", 0}, {K::Mark, "a", 0}, {K::Text, "iki", 0}, {K::Mark, "b", 0}}},
        SsmlCase{"markFirst", "<mark name=\"__spd_1\"/>Şu", {{K::Mark, "__spd_1", 0}, {K::Text, "Şu", 0}}},
        SsmlCase{"breakMs", "a<break time=\"250ms\"/>b",
                 {{K::Text, "a", 0}, {K::Break, "", 250}, {K::Text, "b", 0}}},
        SsmlCase{"breakSeconds", "<break time=\"1.5s\"/>", {{K::Break, "", 1500}}},
        SsmlCase{"breakStrength", "<break strength=\"weak\"/>", {{K::Break, "", 250}}},
        SsmlCase{"breakBare", "<break/>", {{K::Break, "", 500}}},
        SsmlCase{"breakHuge", "<break time=\"99999s\"/>", {{K::Break, "", kMaxBreakMilliseconds}}},
        SsmlCase{"breakBadTime", "<break time=\"-3s\"/>", {{K::Break, "", 500}}},
        SsmlCase{"entities", "a &lt;b&gt; &amp; &#351;&#x131; &bogus; &#0;",
                 {{K::Text, "a <b> & şı &bogus; &#0;", 0}}},
        SsmlCase{"otherElementsKeepText", "<speak><prosody rate=\"fast\">hızlı</prosody> <s>cümle</s></speak>",
                 {{K::Text, "hızlı cümle", 0}}},
        SsmlCase{"commentAndDeclaration", "<?xml version=\"1.0\"?><!-- yok -->var", {{K::Text, "var", 0}}},
        SsmlCase{"unclosedTagIsText", "3 < 5 ve", {{K::Text, "3 < 5 ve", 0}}},
        SsmlCase{"markNameWithEntity", "<mark name=\"a&amp;b\"/>", {{K::Mark, "a&b", 0}}},
        SsmlCase{"attributeNotSuffix", "<mark xname=\"x\" name=\"y\"/>", {{K::Mark, "y", 0}}},
        SsmlCase{"empty", "", {}}),
    [](const auto& p) { return std::string(p.param.name); });

struct NameCase {
  const char* key;
  const char* spoken;
};

class KeyNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(KeyNames, SaysTheKeyInTurkish) { EXPECT_EQ(KeyText(GetParam().key, CapLetters::None), GetParam().spoken); }

INSTANTIATE_TEST_SUITE_P(Cases, KeyNames,
                         ::testing::Values(NameCase{"space", "boşluk"}, NameCase{"shift_kp-enter", "şift tuş takımı giriş"},
                                           NameCase{"control_alt_delete", "kontrol alt sil"},
                                           NameCase{"f12", "ef 12"}, NameCase{"_", "alt çizgi"},
                                           NameCase{"bilinmeyen-tuş", "bilinmeyen-tuş"}));

TEST(SpokenNames, CapitalsAreNamedOnlyWhenRecognised) {
  EXPECT_EQ(SpelledText("A", CapLetters::None), SpelledText("a", CapLetters::None));
  EXPECT_EQ(SpelledText("A", CapLetters::Spell).rfind("büyük ", 0), 0u);
  EXPECT_EQ(SpelledText("a", CapLetters::Spell).find("büyük"), std::string::npos);
}

TEST(SpokenNames, SpellingNamesEveryCharacterAndSkipsBlanks) {
  const std::string spelled = SpelledText("ab c", CapLetters::None);
  EXPECT_EQ(std::count(spelled.begin(), spelled.end(), ','), 2);
  EXPECT_FALSE(SpelledText("→", CapLetters::None).empty());  // outside the code page, still said
}

}  // namespace
}  // namespace lirvan::sd
