// Compares how long words last when joined from the voice's units with how
// long espeak-ng says the same words whole.
//   lirvan-voice-timing HOME WORDFILE
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/cp1254.h"
#include "speech/units/build_units.h"
#include "speech/units/char_class.h"
#include "speech/units/syllabifier.h"
#include "speech/units/unit_index.h"
#include "tools/voice/espeak_renderer.h"

#include <espeak-ng/speak_lib.h>

int main(int argc, char** argv) {
  using namespace lirvan;
  if (argc != 3) {
    std::fprintf(stderr, "usage: lirvan-voice-timing HOME WORDFILE\n");
    return 2;
  }
  std::ifstream words(argv[2]);
  if (!words || !std::filesystem::is_directory(argv[1])) {
    std::fprintf(stderr, "lirvan-voice-timing: cannot read %s or enter %s\n", argv[2], argv[1]);
    return 2;
  }
  const UnitIndex index(IndexFile(argv[1]));
  const Syllabifier syllabifier;
  voice::EspeakRenderer espeak(espeakRATE_NORMAL);
  const double bytesPerSecond = espeak.sampleRate() * 2.0;

  std::set<std::string> seen;
  double sumRatio = 0;
  double sumAbs = 0;
  int n = 0;
  for (std::string utf8; words >> utf8;) {
    std::string word = TurkishLower(Utf8ToCp1254(utf8));
    std::erase_if(word, [](char c) { return !IsLetter(c); });
    if (word.size() < 2 || !seen.insert(word).second) continue;
    auto token = MakeToken(word);
    BuildUnits(*token, syllabifier, index);
    double joined = 0;
    bool complete = true;
    for (const UnitNode& u : SpokenUnits(*token)) {
      const auto entry = index.Find(u.name);
      if (!entry || !entry->Present()) complete = false;
      else joined += entry->size / bytesPerSecond;
    }
    const double whole = voice::TrimSilence(espeak.RenderText(Cp1254ToUtf8(word), espeakRATE_NORMAL)).size() * 2 / bytesPerSecond;
    if (!complete || whole <= 0) continue;
    const double ratio = joined / whole;
    sumRatio += ratio;
    sumAbs += std::abs(ratio - 1);
    ++n;
  }
  if (n == 0) return 1;
  std::printf("words: %d  joined/whole: mean %.3f  mean |deviation| %.3f\n", n, sumRatio / n, sumAbs / n);
  return 0;
}
