#pragma once
// Renders one unit as sound with espeak-ng's Turkish voice (build time
// only): the unit's phonemes as espeak-ng reads the unit's text, or, for
// bare consonants and texts it would spell out, phonemes composed letter
// by letter; silence trimmed at both ends.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/voice/phoneme_cuts.h"

namespace lirvan::voice {

class EspeakRenderer {
 public:
  // rate: espeak-ng's words per minute for the units.
  explicit EspeakRenderer(int rate);
  ~EspeakRenderer();
  EspeakRenderer(const EspeakRenderer&) = delete;
  EspeakRenderer& operator=(const EspeakRenderer&) = delete;

  int sampleRate() const { return sampleRate_; }
  // 16-bit mono samples of one unit (CP1254 name).
  std::vector<std::int16_t> RenderUnit(const std::string& unit);
  // A whole text as espeak-ng says it, untrimmed inside (UTF-8).
  std::vector<std::int16_t> RenderText(const std::string& utf8, int rate);
  // The phoneme mnemonics espeak-ng gives a UTF-8 text.
  std::string Phonemes(const std::string& utf8);
  // A UTF-8 text at the renderer's rate with the phoneme events that say
  // where each phoneme starts.
  Rendering RenderWithEvents(const std::string& utf8);
  // One pitch throughout (espeak-ng's pitch range 0), so units cut from
  // different words meet at the same pitch.
  void SetFlatPitch();

 private:
  std::vector<std::int16_t> Synthesize(const std::string& utf8, int rate);
  std::string UnitPhonemes(const std::string& unit);
  std::string LetterPhoneme(char letter, char neighbourVowel);

  int sampleRate_ = 0;
  int rate_;
};

// Drops leading and trailing samples below the silence threshold.
std::vector<std::int16_t> TrimSilence(const std::vector<std::int16_t>& samples);

}  // namespace lirvan::voice
