#include "tools/voice/espeak_renderer.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/cp1254.h"

namespace lirvan::voice {
namespace {

// espeak-ng's callback has no user pointer per call.
std::vector<std::int16_t>* gSink = nullptr;
std::vector<PhonemeEvent>* gEvents = nullptr;

int Collect(short* wav, int count, espeak_EVENT* events) {
  if (wav != nullptr && gSink != nullptr) gSink->insert(gSink->end(), wav, wav + count);
  for (; gEvents != nullptr && events != nullptr && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
    if (events->type != espeakEVENT_PHONEME) continue;
    const std::string name(events->id.string, strnlen(events->id.string, sizeof events->id.string));
    gEvents->push_back(PhonemeEvent{name, static_cast<std::size_t>(std::max(0, events->sample))});
  }
  return 0;
}

constexpr int kSilence = 400;     // of 32767
constexpr int kMarginSamples = 44;  // 2 ms kept at each cut, against clicks

// espeak-ng's vowel phonemes are the letters a E I O U @ W Y (with stress
// and length marks around them).
int PhonemeVowelCount(const std::string& phonemes) {
  int n = 0;
  for (char c : phonemes) {
    if (std::string_view("aEIOU@WYeiouy").find(c) != std::string_view::npos) ++n;
  }
  return n;
}

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n')) s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

bool IsVowel(char c) {
  static const std::string vowels = Utf8ToCp1254("aeıioöuüâîûAEIOUÖÜÂÎÛİ");
  return vowels.find(c) != std::string::npos;
}

int VowelCount(const std::string& s) {
  int n = 0;
  for (char c : s) n += IsVowel(c) ? 1 : 0;
  return n;
}

}  // namespace

std::vector<std::int16_t> TrimSilence(const std::vector<std::int16_t>& samples) {
  std::size_t begin = 0;
  std::size_t end = samples.size();
  while (begin < end && std::abs(samples[begin]) < kSilence) ++begin;
  while (end > begin && std::abs(samples[end - 1]) < kSilence) --end;
  begin = begin > kMarginSamples ? begin - kMarginSamples : 0;
  end = std::min(samples.size(), end + kMarginSamples);
  if (begin >= end) return {};
  return {samples.begin() + static_cast<std::ptrdiff_t>(begin),
          samples.begin() + static_cast<std::ptrdiff_t>(end)};
}

EspeakRenderer::EspeakRenderer(int rate) : rate_(rate) {
  sampleRate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                  espeakINITIALIZE_DONT_EXIT | espeakINITIALIZE_PHONEME_EVENTS);
  if (sampleRate_ <= 0) throw std::runtime_error("espeak-ng could not be initialised");
  if (espeak_SetVoiceByName("tr") != EE_OK) throw std::runtime_error("espeak-ng has no Turkish voice");
  espeak_SetSynthCallback(&Collect);
}

EspeakRenderer::~EspeakRenderer() { espeak_Terminate(); }

std::vector<std::int16_t> EspeakRenderer::Synthesize(const std::string& utf8, int rate) {
  std::vector<std::int16_t> samples;
  gSink = &samples;
  espeak_SetParameter(espeakRATE, rate, 0);
  espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0,
               espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
  espeak_Synchronize();
  gSink = nullptr;
  return samples;
}

Rendering EspeakRenderer::RenderWithEvents(const std::string& utf8) {
  Rendering out;
  gEvents = &out.events;
  out.samples = Synthesize(utf8, rate_);
  gEvents = nullptr;
  return out;
}

void EspeakRenderer::SetFlatPitch() { espeak_SetParameter(espeakRANGE, 0, 0); }

std::vector<std::int16_t> EspeakRenderer::RenderText(const std::string& utf8, int rate) {
  return Synthesize(utf8, rate);
}

std::string EspeakRenderer::Phonemes(const std::string& utf8) {
  const void* text = utf8.c_str();
  std::string out;
  while (text != nullptr) {
    const char* piece = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, 0);
    if (piece == nullptr) break;
    out += piece;
  }
  return Trimmed(out);
}

// A consonant's phoneme as espeak-ng says it before (or after) a vowel of
// the same frontness, so l/L, k/c and g/J come out right.
std::string EspeakRenderer::LetterPhoneme(char letter, char neighbourVowel) {
  const std::string syllable = Cp1254ToUtf8(std::string{letter, neighbourVowel});
  std::string ph = Phonemes(syllable);
  std::string out;
  for (char c : ph) {
    if (c == '\'' || c == ',') break;  // stress mark before the vowel
    out += c;
  }
  return out;
}

std::string EspeakRenderer::UnitPhonemes(const std::string& unit) {
  const int vowels = VowelCount(unit);
  if (vowels > 0) {
    std::string ph = Phonemes(Cp1254ToUtf8(unit));
    if (PhonemeVowelCount(ph) == vowels) return ph;
  }
  // Bare consonants, or a text espeak-ng would spell out: letter by letter.
  std::string ph;
  char neighbour = 'a';
  for (char c : unit) {
    if (IsVowel(c)) {
      neighbour = c;
      break;
    }
  }
  for (char c : unit) {
    if (IsVowel(c)) {
      std::string v = Phonemes(Cp1254ToUtf8(std::string{'b', c}));
      const auto mark = v.find('\'');
      ph += '\'';
      ph.append(mark == std::string::npos ? v : v.substr(mark + 1));
    } else {
      ph += LetterPhoneme(c, neighbour);
    }
  }
  return ph;
}

std::vector<std::int16_t> EspeakRenderer::RenderUnit(const std::string& unit) {
  const std::string ph = UnitPhonemes(unit);
  if (ph.empty()) return {};
  std::string input = "[[";
  input.append(ph).append("]]");
  return TrimSilence(Synthesize(input, rate_));
}

}  // namespace lirvan::voice
