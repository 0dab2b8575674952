#include "tools/voice/phoneme_cuts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/cp1254.h"

namespace lirvan::voice {
namespace {

const std::string kVowelLetters = Utf8ToCp1254("aeıioöuüâîû");
const std::string kStopLetters = Utf8ToCp1254("ptkbdgcç");
constexpr char kSoftG = '\xF0';  // ğ
// First characters of the source engine's vowel mnemonics.
constexpr std::string_view kVowelPhonemes = "aAeEiIoOuUyY@W&";

constexpr std::size_t kFrame = 110;          // 5 ms
constexpr std::size_t kLongestClosure = 1764;  // 80 ms

bool IsVowelLetter(char c) { return kVowelLetters.find(c) != std::string::npos; }

bool Matches(char letter, const std::string& phoneme) {
  if (phoneme.empty()) return false;
  const bool vowelPhoneme = kVowelPhonemes.find(phoneme.front()) != std::string_view::npos;
  return letter == kSoftG || IsVowelLetter(letter) == vowelPhoneme;
}

// The closure of a stop is silent: walk back from the stop's event over
// quiet frames, no further than `floor`.
std::size_t ClosureStart(const std::vector<std::int16_t>& samples, std::size_t at,
                         std::size_t floor, double quiet) {
  const std::size_t limit = std::max(floor, at > kLongestClosure ? at - kLongestClosure : 0);
  std::size_t start = at;
  while (start >= limit + kFrame && Rms(samples, start - kFrame, start) < quiet) start -= kFrame;
  return start;
}

double QuietLevel(const std::vector<std::int16_t>& samples) {
  double loudest = 0;
  for (std::size_t i = 0; i + kFrame <= samples.size(); i += kFrame) {
    loudest = std::max(loudest, Rms(samples, i, i + kFrame));
  }
  return std::max(200.0, 0.1 * loudest);
}

}  // namespace

namespace {

// How a letter meets the events: it has its own, it has none (ğ said as
// the length of the vowel before it), or it shares the event before it
// (the second vowel of a, ğ, a said as one long a).
enum class Takes { Own, None, Shared };

// The three readings of ğ, tried in turn: as a phoneme of its own, as
// nothing, and between two vowels as part of one long vowel.
std::vector<Takes> Plan(std::string_view word, int reading) {
  std::vector<Takes> plan(word.size(), Takes::Own);
  for (std::size_t i = 0; i < word.size() && reading > 0; ++i) {
    if (word[i] != kSoftG) continue;
    plan[i] = Takes::None;
    const bool between = i > 0 && i + 1 < word.size() && IsVowelLetter(word[i - 1]) && IsVowelLetter(word[i + 1]);
    if (reading == 2 && between) plan[i + 1] = Takes::Shared;
  }
  return plan;
}

// Start of each letter under one plan, or nothing when it does not fit.
std::optional<std::vector<std::size_t>> Place(std::string_view word, const std::vector<Takes>& plan,
                                              const std::vector<const PhonemeEvent*>& speech,
                                              std::size_t end) {
  if (static_cast<std::size_t>(std::count(plan.begin(), plan.end(), Takes::Own)) != speech.size()) {
    return std::nullopt;
  }
  std::vector<std::size_t> at(word.size() + 1, end);
  std::size_t next = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (plan[i] != Takes::Own) continue;
    if (!Matches(word[i], speech[next]->name)) return std::nullopt;
    at[i] = std::min(speech[next++]->sample, end);
  }
  for (std::size_t i = word.size(); i-- > 0;) {
    if (plan[i] == Takes::None) at[i] = at[i + 1];
    // The shared vowel's second half: from the middle of the long one.
    if (plan[i] == Takes::Shared) at[i] = at[i - 2] + (at[i + 1] - at[i - 2]) / 2;
  }
  return at;
}

}  // namespace

std::optional<std::vector<std::size_t>> LetterBoundaries(std::string_view word,
                                                        const Rendering& rendering) {
  std::vector<const PhonemeEvent*> speech;
  std::size_t end = rendering.samples.size();
  for (const PhonemeEvent& e : rendering.events) {
    if (e.name.empty() || e.name.front() != '_') {
      speech.push_back(&e);
    } else if (!speech.empty() && end == rendering.samples.size()) {
      end = e.sample;  // the pause after the word
    }
  }
  std::optional<std::vector<std::size_t>> at;
  for (int reading = 0; reading < 3 && !at; ++reading) at = Place(word, Plan(word, reading), speech, end);
  if (!at) return std::nullopt;
  const double quiet = QuietLevel(rendering.samples);
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (kStopLetters.find(word[i]) == std::string::npos) continue;
    (*at)[i] = ClosureStart(rendering.samples, (*at)[i], i == 0 ? 0 : (*at)[i - 1] + kFrame, quiet);
  }
  if (!std::is_sorted(at->begin(), at->end())) return std::nullopt;
  return at;
}

namespace {

// RMS over the vowels among letters [begin, end).
double VowelLevel(std::string_view word, std::size_t begin, std::size_t end,
                  const std::vector<std::size_t>& at, const std::vector<std::int16_t>& samples) {
  double sum = 0;
  std::size_t n = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (!IsVowelLetter(word[i]) || at[i + 1] <= at[i]) continue;
    const double r = Rms(samples, at[i], at[i + 1]);
    sum += r * r * static_cast<double>(at[i + 1] - at[i]);
    n += at[i + 1] - at[i];
  }
  return n == 0 ? 0 : std::sqrt(sum / static_cast<double>(n));
}

}  // namespace

std::optional<std::vector<std::int16_t>> CutUnit(std::string_view word, std::size_t begin,
                                                 std::size_t end, const Rendering& rendering,
                                                 double level, const CutShape& shape) {
  if (begin >= end || end > word.size()) return std::nullopt;
  const auto at = LetterBoundaries(word, rendering);
  if (!at || (*at)[end] <= (*at)[begin]) return std::nullopt;
  double own = VowelLevel(word, begin, end, *at, rendering.samples);
  if (own <= 0) own = VowelLevel(word, 0, word.size(), *at, rendering.samples);
  auto unit = CutAt(rendering.samples, (*at)[begin], (*at)[end], shape);
  if (unit.empty()) return std::nullopt;
  if (own > 0) Scale(unit, std::clamp(level / own, 0.25, 4.0));
  return unit;
}

std::size_t NearestZeroCrossing(const std::vector<std::int16_t>& samples, std::size_t at,
                                std::size_t reach) {
  auto crosses = [&](std::size_t i) {
    if (i == 0 || i >= samples.size()) return i == 0 || i == samples.size();
    return samples[i] == 0 || (samples[i - 1] < 0) != (samples[i] < 0);
  };
  for (std::size_t d = 0; d <= reach; ++d) {
    if (at >= d && crosses(at - d)) return at - d;
    if (at + d <= samples.size() && crosses(at + d)) return at + d;
  }
  return at;
}

std::vector<std::int16_t> CutAt(const std::vector<std::int16_t>& samples, std::size_t begin,
                                std::size_t end, const CutShape& shape) {
  end = std::min(end, samples.size());
  begin = NearestZeroCrossing(samples, begin, shape.zeroCrossingReach);
  end = NearestZeroCrossing(samples, end, shape.zeroCrossingReach);
  if (end <= begin) return {};
  std::vector<std::int16_t> out(samples.begin() + static_cast<std::ptrdiff_t>(begin),
                                samples.begin() + static_cast<std::ptrdiff_t>(end));
  const std::size_t fade = std::min(shape.fade, out.size() / 2);
  for (std::size_t k = 0; k < fade; ++k) {
    const double w = 0.5 - 0.5 * std::cos(std::numbers::pi * (static_cast<double>(k) + 0.5) /
                                          static_cast<double>(fade));
    out[k] = static_cast<std::int16_t>(std::lround(out[k] * w));
    auto& last = out[out.size() - 1 - k];
    last = static_cast<std::int16_t>(std::lround(last * w));
  }
  return out;
}

double Rms(const std::vector<std::int16_t>& samples, std::size_t begin, std::size_t end) {
  end = std::min(end, samples.size());
  if (end <= begin) return 0;
  double sum = 0;
  for (std::size_t i = begin; i < end; ++i) sum += static_cast<double>(samples[i]) * samples[i];
  return std::sqrt(sum / static_cast<double>(end - begin));
}

void Scale(std::vector<std::int16_t>& samples, double gain) {
  for (auto& s : samples) {
    s = static_cast<std::int16_t>(std::clamp(std::lround(s * gain), -32768L, 32767L));
  }
}

}  // namespace lirvan::voice
