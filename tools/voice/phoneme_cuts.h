#pragma once
// Cutting units out of speech rendered in context: the source engine's
// phoneme events give where each letter of the carrier starts; cuts move
// to zero crossings and get short fades so units meet without clicks.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lirvan::voice {

struct PhonemeEvent {
  std::string name;    // the source engine's phoneme mnemonic; "_..." is a pause
  std::size_t sample;  // where it starts
};

struct Rendering {
  std::vector<std::int16_t> samples;
  std::vector<PhonemeEvent> events;
};

// Where each letter of `word` (CP1254) starts in the rendering, and where
// the last one ends: letters + 1 positions. Each letter is one phoneme,
// except that ğ may have none (it lengthens the vowel before it). The
// closure of a stop belongs to the stop, so a boundary before one moves
// back to where the silence before its burst begins. Nothing when the
// events do not line up with the letters.
std::optional<std::vector<std::size_t>> LetterBoundaries(std::string_view word,
                                                        const Rendering& rendering);

struct CutShape {
  std::size_t zeroCrossingReach = 33;  // samples searched each way (1.5 ms at 22050 Hz)
  std::size_t fade = 44;               // raised-cosine fade at each end (2 ms)
};

// The sample nearest `at` (within reach) where the signal crosses zero;
// `at` itself when none does.
std::size_t NearestZeroCrossing(const std::vector<std::int16_t>& samples, std::size_t at,
                                std::size_t reach);

// Samples [begin, end), both ends moved to zero crossings and faded.
std::vector<std::int16_t> CutAt(const std::vector<std::int16_t>& samples, std::size_t begin,
                                std::size_t end, const CutShape& shape = {});

// The unit that lies in letters [begin, end) of a carrier word rendered
// in context: cut at the letters' boundaries and brought to one loudness
// (its vowels, or the carrier's when it has none, at `level` RMS). Nothing
// when the rendering's events do not line up with the word.
std::optional<std::vector<std::int16_t>> CutUnit(std::string_view word, std::size_t begin,
                                                 std::size_t end, const Rendering& rendering,
                                                 double level, const CutShape& shape = {});

// Root mean square of samples [begin, end).
double Rms(const std::vector<std::int16_t>& samples, std::size_t begin, std::size_t end);

// Scales samples by `gain`, clipping at the 16-bit range.
void Scale(std::vector<std::int16_t>& samples, double gain);

}  // namespace lirvan::voice
