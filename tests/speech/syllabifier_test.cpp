#include "speech/units/syllabifier.h"

#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "speech/units/build_units.h"
#include "speech/units/letter_sounds.h"
#include "speech/units/token.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

std::string Cp(const char* utf8) { return Utf8ToCp1254(utf8); }

UnitIndex IndexWith(std::initializer_list<const char*> names) {
  UnitIndex index;
  for (const char* n : names) index.Store(Cp(n), 0, 2);
  return index;
}

std::string UnitsOf(const Token& token) {
  std::string out;
  for (const UnitNode* n = token.units.get(); n != nullptr; n = n->next.get()) {
    if (n != token.units.get()) out += ' ';
    out += n->name.empty() ? "<empty>" : Cp1254ToUtf8(n->name);
  }
  return out;
}

TEST(Syllabify, TurkishWords) {
  const UnitIndex none;
  const UnitIndex whole = IndexWith({"tren", "say"});
  struct Case {
    const char* word;
    const char* syllables;
    const UnitIndex& index;
  } cases[] = {
      {"merhaba", "mer-ha-ba", none},       {"türkçe", "türk-çe", none},
      {"okul", "o-kul", none},              {"saat", "sa-at", none},
      {"program", "prog-ram", none},        {"strateji", "stra-te-ji", none},
      {"bilgisayar", "bil-gi-sa-yar", none}, {"tren", "tren", whole},
      {"say", "say", whole},                {"tren", "tren", none},
      {"a", "a", none},                     {"", "", none},
      {"t", "te", none},                    {"st", "se-te", none},
      {"kwx", "ka-dub-lü-ve-iks", none},    {"q", "kû", none},
      {"angstrom", "a-ne-ge-se-te-re-o-me", none},  // xxx before a consonant: spelled
      {"aaa", "a-a-a", none},               {"ağaç", "a-ğaç", none},
      {"elektrik", "e-lekt-rik", none},     {"istanbul", "is-tan-bul", none},
  };
  Syllabifier s;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(Cp1254ToUtf8(s.Syllabify(Cp(c.word), c.index)), c.syllables);
  }
}

TEST(Syllabify, WholeWordRuleOnlyForTwoToFourLetters) {
  Syllabifier s;
  const UnitIndex index = IndexWith({"a", "ok"});
  EXPECT_EQ(s.Syllabify("ok", index), "ok");
  EXPECT_EQ(s.Syllabify("a", index), "a");
}

TEST(PatternState, ConsonantsAddOne) {
  EXPECT_EQ(PatternState("oxx"), 1 * 8 + 0 * 4 + 3);  // 'o' is a vowel, x a consonant
  EXPECT_EQ(PatternState(Cp("türk")), 27);
  EXPECT_EQ(PatternState("kral"), 29);
  EXPECT_EQ(PatternState("stra"), 30);
  EXPECT_EQ(PatternState(""), 1);
}

TEST(HandleUnknown, PiecesByShapeAndRecordings) {
  struct Case {
    const char* syllable;
    std::initializer_list<const char*> recorded;
    const char* units;
  } cases[] = {
      {"türk", {"tür"}, "tür k"},
      {"türk", {"ürk"}, "t ürk"},
      {"türk", {}, "tü r k"},
      {"kral", {"kra"}, "kra l"},
      {"kral", {"ral"}, "k ral"},
      {"kral", {}, "k ra l"},
      {"ilk", {}, "il k"},                     // oxx
      {"kar", {}, "ka r"},                     // xox
      {"kra", {}, "k ra"},                     // xxo
      {"ast", {}, "as t"},                     // oxx
      {"aa", {}, "a a"},
      {"ankt", {}, "an k t"},                  // oxxx, no tests
      {"stra", {}, "s t ra"},                  // xxxo, no tests
      {"türkt", {"türk"}, "türk t"},           // xoxxx
      {"türkt", {"tür"}, "tür k t"},
      {"türkt", {}, "tü r k t"},
      {"kramp", {"kram"}, "kram p"},           // xxoxx
      {"kramp", {"kra", "amp"}, "kra amp"},    // the vowel in two pieces
      {"kramp", {"kra"}, "kra am p"},
      {"kramp", {"ramp"}, "k ramp"},
      {"kramp", {}, "k ra am p"},
      {"strak", {"stra"}, "stra k"},           // xxxox
      {"strak", {"trak"}, "s trak"},
      {"strak", {}, "<empty>"},
      {"trankt", {"tran"}, "tran k t"},        // xxoxxx
      {"trankt", {}, "<empty>"},
      {"aaaa", {}, "<empty>"},                 // no rule for this shape
      {"", {}, "<empty>"},
      {"abcdefg", {}, "<empty>"},              // longer than six
      {"w", {}, "dabılyu"},                    // a letter said on its own
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.syllable) + " with " + std::to_string(c.recorded.size()) + " recorded");
    const UnitIndex index = IndexWith(c.recorded);
    Token token;
    token.units = HandleUnknown(Cp(c.syllable), index);
    EXPECT_EQ(UnitsOf(token), c.units);
  }
}

TEST(BuildUnits, FillsTheListFromTheSyllables) {
  struct Case {
    const char* word;
    std::initializer_list<const char*> recorded;
    const char* spoken;
    const char* units;
    int count;
  } cases[] = {
      {"merhaba", {"mer", "ha", "ba"}, "mer-ha-ba", "mer ha ba", 3},
      {"türkçe", {"tür", "k", "çe"}, "türk-çe", "tür k çe", 3},
      // k unrecorded would silence the word: left out, the rest sounds.
      {"türkçe", {"tür", "çe"}, "türk-çe", "tür çe", 2},
      {"", {}, "", "<empty>", 1},
      {"t", {"te"}, "te", "te", 1},
      {"w", {"dub", "lü", "ve"}, "dub-lü-ve", "dub lü ve", 3},
  };
  Syllabifier s;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const UnitIndex index = IndexWith(c.recorded);
    auto token = MakeToken(Cp(c.word));
    BuildUnits(*token, s, index);
    EXPECT_EQ(Cp1254ToUtf8(token->spoken), c.spoken);
    EXPECT_EQ(UnitsOf(*token), c.units);
    EXPECT_EQ(token->unitCount, c.count);
  }
}

// A voice that holds every Turkish letter and the few pieces named.
UnitIndex LettersAnd(std::initializer_list<const char*> names) {
  UnitIndex index = IndexWith(names);
  for (char c : Cp("abcçdefgğhıijklmnoöprsştuüvyzâîû")) index.Store(std::string(1, c), 0, 2);
  return index;
}

TEST(BuildUnits, MendsPiecesNoRuleCoversDownToRecordedOnes) {
  struct Case {
    const char* word;
    std::initializer_list<const char*> recorded;
    const char* units;
  } cases[] = {
      // xxoxxx with [0,4) unrecorded: the table leaves the syllable empty.
      {"printf", {"pri"}, "pri n t f"},
      {"printf", {}, "p r i n t f"},
      // xxxox with neither [0,4) nor [1,5) recorded.
      {"bytes", {"tes"}, "b y tes"},
      {"strak", {"ra"}, "s t ra k"},
      // Pieces the table adds without a test are covered when missing.
      {"stra", {"ra"}, "s t ra"},
      // Recorded pieces of the table are kept as the table gives them.
      {"türk", {"tür"}, "tür k"},
      {"kramp", {"kra", "amp"}, "kra amp"},
      // Letters the Turkish alphabet lacks sound as Turkish ones when the
      // voice does not hold them.
      {"fix", {"fi"}, "fi k s"},
      {"wa", {}, "v a"},
      {"aqua", {}, "a k u a"},
      {"w", {}, "d u b l ü v e"},  // a lone consonant is spelled first
      // Bytes outside the alphabet inside a word: foreign letters, digits.
      {"café", {"ca"}, "ca f e"},
      {"straße", {"se", "ra"}, "s t ra s e"},
      {"mp3", {"me", "pe", "üç"}, "me pe üç e"},
  };
  Syllabifier s;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    const UnitIndex index = LettersAnd(c.recorded);
    auto token = MakeToken(Cp(c.word));
    BuildUnits(*token, s, index);
    EXPECT_EQ(UnitsOf(*token), c.units);
    for (const UnitNode* n = token->units.get(); n != nullptr; n = n->next.get()) {
      EXPECT_TRUE(index.Has(n->name)) << Cp1254ToUtf8(n->name);
    }
  }
}

TEST(BuildUnits, OnlyATokenWithoutLettersStaysSilent) {
  struct Case {
    const char* text;
    const char* units;
  } cases[] = {{"", "<empty>"}, {"%", "% e"}, {"½", "½ e"}};  // the signs as spelled
  Syllabifier s;
  const UnitIndex index = LettersAnd({});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto token = MakeToken(Cp(c.text));
    BuildUnits(*token, s, index);
    EXPECT_EQ(UnitsOf(*token), c.units);
    EXPECT_FALSE(index.Has(token->units->name));
  }
}

TEST(LetterSounds, EveryByteOfALetterSounds) {
  struct Case {
    const char* text;
    const char* sounds;
  } cases[] = {
      {"wqx", "vkks"}, {"WQX", "vkks"}, {"İIı", "iıı"}, {"ÉÑÇ", "enç"},
      {"œšž", "öşj"},  {"a1", "abir"},  {"a-b", "ab"},  {"âîû", "âîû"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Cp1254ToUtf8(LetterSounds(Cp(c.text))), c.sounds);
  }
  const std::string turkish = Cp("abcçdefgğhıijklmnoöprsştuüvyz");
  EXPECT_EQ(LetterSounds(turkish), turkish);
}

TEST(CoverWithRecorded, FewestPiecesLongestFirst) {
  const UnitIndex index = IndexWith({"a", "b", "ab", "abc", "c", "bc"});
  auto units = CoverWithRecorded("abcab", index);
  std::string names;
  for (const UnitNode* n = units.get(); n != nullptr; n = n->next.get()) names += n->name + " ";
  EXPECT_EQ(names, "abc ab ");
  EXPECT_EQ(CoverWithRecorded("zz", index), nullptr);  // nothing the voice holds
}

}  // namespace
}  // namespace lirvan
