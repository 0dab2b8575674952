// The voice builder's cutting, on renderings made here with known
// boundaries, and its choice of carriers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/cp1254.h"
#include "tools/voice/carriers.h"
#include "tools/voice/phoneme_cuts.h"

namespace lirvan::voice {
namespace {

constexpr double kRate = 22050;

// One segment of a made-up rendering: a phoneme name, its length and what
// it sounds like (a tone of that frequency and amplitude; 0 Hz is silence).
struct Segment {
  const char* phoneme;
  std::size_t length;
  double hz;
  double amplitude;
};

// Segments end to end, each starting at an exact sample, and a pause event
// after the last.
Rendering Render(std::initializer_list<Segment> segments) {
  Rendering r;
  double phase = 0;
  for (const Segment& s : segments) {
    r.events.push_back(PhonemeEvent{s.phoneme, r.samples.size()});
    for (std::size_t i = 0; i < s.length; ++i) {
      phase += 2 * std::numbers::pi * s.hz / kRate;
      r.samples.push_back(static_cast<std::int16_t>(std::lround(s.amplitude * std::sin(phase))));
    }
  }
  r.events.push_back(PhonemeEvent{"_:", r.samples.size()});
  r.samples.resize(r.samples.size() + 500, 0);  // the silence after the word
  return r;
}

std::size_t LargestStep(const std::vector<std::int16_t>& s) {
  std::size_t step = 0;
  for (std::size_t i = 1; i < s.size(); ++i) step = std::max<std::size_t>(step, static_cast<std::size_t>(std::abs(s[i] - s[i - 1])));
  return step;
}

TEST(LetterBoundaries, FollowThePhonemeEventsLetterByLetter) {
  // "masa": every letter its own phoneme.
  const Rendering r = Render({{"m", 1000, 150, 3000}, {"a", 2000, 220, 8000},
                              {"s", 1500, 3000, 1500}, {"a", 2500, 220, 8000}});
  const auto at = LetterBoundaries("masa", r);
  ASSERT_TRUE(at);
  EXPECT_EQ(*at, (std::vector<std::size_t>{0, 1000, 3000, 4500, 7000}));
}

TEST(LetterBoundaries, SoftGHasNoPhonemeOrSharesALongVowel) {
  const std::string dagi = Utf8ToCp1254("dağı");  // ğ lengthens the a
  const auto one = LetterBoundaries(dagi, Render({{"d", 800, 150, 3000}, {"a:", 3000, 220, 8000}, {"@", 2000, 250, 7000}}));
  ASSERT_TRUE(one);
  EXPECT_EQ((*one)[2], 3800u);  // ğ begins and ends where ı begins
  EXPECT_EQ((*one)[3], 3800u);

  const std::string aga = Utf8ToCp1254("ağa");  // a, ğ, a said as one long a
  const auto shared = LetterBoundaries(aga, Render({{"a:", 4000, 220, 8000}}));
  ASSERT_TRUE(shared);
  EXPECT_EQ(*shared, (std::vector<std::size_t>{0, 2000, 2000, 4000}));

  const std::string ega = Utf8ToCp1254("eğa");  // here ğ is a glide of its own
  const auto own = LetterBoundaries(ega, Render({{"e", 2000, 300, 8000}, {"j", 1000, 400, 4000}, {"a", 2000, 220, 8000}}));
  ASSERT_TRUE(own);
  EXPECT_EQ(*own, (std::vector<std::size_t>{0, 2000, 3000, 5000}));
}

TEST(LetterBoundaries, AStopTakesTheSilenceOfItsClosure) {
  // "ata" as the source says it: the closure's silence lies at the end of
  // the first a's event, the t's event starts at the burst.
  const Rendering r = Render({{"a", 2000, 220, 8000}, {"a", 800, 0, 0}, {"t", 500, 4000, 2000}, {"a", 2000, 220, 8000}});
  Rendering ata = r;
  ata.events.erase(ata.events.begin() + 1);  // one a event of 2800 samples
  const auto at = LetterBoundaries("ata", ata);
  ASSERT_TRUE(at);
  EXPECT_GE((*at)[1], 2000u);       // not into the vowel
  EXPECT_LE((*at)[1], 2000u + 110);  // within one frame of where the silence begins
  EXPECT_EQ((*at)[2], 3300u);
}

TEST(LetterBoundaries, EventsThatDoNotLineUpAreRefused) {
  const Rendering two = Render({{"a", 1000, 220, 8000}, {"t", 1000, 4000, 2000}});
  EXPECT_FALSE(LetterBoundaries("atta", two));  // a doubled letter said once
  EXPECT_FALSE(LetterBoundaries("ta", two));    // a vowel where a consonant is said
  EXPECT_FALSE(LetterBoundaries("", two));
}

TEST(CutUnit, CutsAtZeroCrossingsNearTheBoundariesWithFades) {
  const Rendering r = Render({{"m", 1000, 150, 3000}, {"a", 2000, 230, 8000},
                              {"s", 1500, 3000, 1500}, {"a", 2500, 230, 8000}});
  CutShape shape;
  const auto ma = CutUnit("masa", 0, 2, r, 8000 / std::sqrt(2.0), shape);
  ASSERT_TRUE(ma);
  EXPECT_NEAR(static_cast<double>(ma->size()), 3000, 2.0 * static_cast<double>(shape.zeroCrossingReach));
  EXPECT_LE(std::abs(ma->front()), 50);
  EXPECT_LE(std::abs(ma->back()), 50);
}

TEST(CutUnit, JoinedUnitsHaveNoStepLargerThanTheSpeechItself) {
  const Rendering r = Render({{"m", 1000, 150, 3000}, {"a", 2000, 230, 8000},
                              {"s", 1500, 3000, 1500}, {"a", 2500, 230, 8000}});
  const auto ma = CutUnit("masa", 0, 2, r, 5000);
  const auto sa = CutUnit("masa", 2, 4, r, 5000);
  ASSERT_TRUE(ma && sa);
  std::vector<std::int16_t> joined = *ma;
  joined.insert(joined.end(), sa->begin(), sa->end());
  joined.insert(joined.end(), ma->begin(), ma->end());  // sa then ma again: a vowel into a nasal
  std::vector<std::int16_t> speech(r.samples.begin(), r.samples.begin() + 7000);
  // Each join: the last sample of one unit and the first of the next are
  // both faded to near silence.
  const std::size_t joins[] = {ma->size(), ma->size() + sa->size()};
  for (std::size_t j : joins) {
    SCOPED_TRACE(j);
    EXPECT_LE(std::abs(joined[j] - joined[j - 1]), 100);
  }
  // No click anywhere: no step beyond the largest of the tones themselves,
  // scaled to the units' loudness.
  EXPECT_LE(LargestStep(joined), LargestStep(speech) * 5000 / 5600 + 100);
}

TEST(CutUnit, BringsUnitsToOneLoudness) {
  const Rendering loud = Render({{"m", 1000, 150, 3000}, {"a", 2000, 230, 12000}});
  const Rendering soft = Render({{"m", 1000, 150, 1000}, {"a", 2000, 230, 3000}});
  const auto a = CutUnit("ma", 0, 2, loud, 5000);
  const auto b = CutUnit("ma", 0, 2, soft, 5000);
  ASSERT_TRUE(a && b);
  EXPECT_NEAR(Rms(*a, 1000, 3000), Rms(*b, 1000, 3000), 250);
  EXPECT_NEAR(Rms(*a, 1000, 3000), 5000, 300);
}

TEST(Carriers, RealWordsFirstThenMadeUpOnes) {
  const std::vector<std::string> words = {"kitaplar", "araba", "tap"};
  const std::vector<std::string> inventory = {"ki", "tap", "lar", "a", "ra", "ba"};
  const CarrierChooser chooser(words, inventory, {Utf8ToCp1254("kapı"), "bir"});
  struct Case {
    const char* unit;
    const char* text;
    std::size_t begin;
    std::size_t end;
  } cases[] = {
      {"tap", "kitaplar", 2, 5},  // inside a word
      {"ra", "araba", 1, 3},
      {"kapı", "kapı", 0, 4},     // a word carries itself
      {"bir", "ibirti", 1, 4},    // one vowel: carried as a syllable, its vowel around it
      {"x", "aksta", 1, 3},       // sounds: x as ks
      {"ev", "evte", 0, 2},       // a vowel first: the word starts with it
      {"at", "atla", 0, 2},       // no doubled t
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit);
    const auto carriers = chooser.For(Utf8ToCp1254(c.unit));
    ASSERT_FALSE(carriers.empty());
    EXPECT_EQ(Cp1254ToUtf8(carriers.front().text), c.text);
    EXPECT_EQ(carriers.front().begin, c.begin);
    EXPECT_EQ(carriers.front().end, c.end);
  }
}

}  // namespace
}  // namespace lirvan::voice
