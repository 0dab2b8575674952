// Measures the voice against the source it was made from.
//   lirvan-voice-measure HOME [--words FILE] [--sentences FILE] [--other-rate WPM]
//                        [--save DIR] [--each]
// For every word: the mel-cepstral distortion after time warping between
// the word as the engine joins it from its units and espeak-ng's own
// rendering of the word, and the floor: espeak-ng against itself at
// another rate. For the sentences: words per second and the share of
// silent frames, the engine's (as played: units, then the pause after each
// token, punctuation not read) and espeak-ng's.
#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <espeak-ng/speak_lib.h>

#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "speech/units/build_units.h"
#include "speech/units/char_class.h"
#include "speech/units/syllabifier.h"
#include "speech/units/unit_index.h"
#include "tools/voice/cepstral_distance.h"
#include "tools/voice/espeak_renderer.h"

namespace {

using namespace lirvan;
using Samples = std::vector<std::int16_t>;

struct Options {
  std::string home;
  std::string words = std::string(LIRVAN_MEASURE_DATA) + "/measure_words.txt";
  std::string sentences = std::string(LIRVAN_MEASURE_DATA) + "/measure_sentences.txt";
  int otherRate = 210;  // the floor: espeak-ng at its normal rate against this one
  std::string save;     // where to write the sentences as heard, if anywhere
  bool each = false;    // a line per word
};

// The voice as the synthesizer holds it: the data area, the pause, the rate.
struct Voice {
  std::string data;
  Samples pause;
  int sampleRate = 22050;
};

std::optional<Voice> LoadVoice() {
  std::ifstream in(kSoundPath, std::ios::binary);
  const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const auto first = SmallestIndexOffset(kIndexPath);
  if (file.size() < 44 || !first || *first < 44 || static_cast<std::size_t>(*first) > file.size()) return std::nullopt;
  Voice v;
  v.sampleRate = static_cast<unsigned char>(file[24]) | static_cast<unsigned char>(file[25]) << 8 |
                 static_cast<unsigned char>(file[26]) << 16;
  v.data = file.substr(44);
  v.pause.resize(static_cast<std::size_t>(*first - 44) / 2);
  std::memcpy(v.pause.data(), file.data() + 44, v.pause.size() * 2);
  return v;
}

// A token's units back to back, as the synthesizer joins them; empty when
// any unit is missing (the token then sounds as its pause alone).
Samples Join(const Token& token, const UnitIndex& index, const Voice& sound) {
  Samples out;
  int walked = 0;
  for (const UnitNode* n = token.units.get(); n != nullptr && walked < token.unitCount; n = n->next.get(), ++walked) {
    const auto entry = index.Find(n->name);
    if (!entry || !entry->Present() ||
        static_cast<std::size_t>(entry->offset) + static_cast<std::size_t>(entry->size) > sound.data.size()) {
      return {};
    }
    const std::size_t begin = out.size();
    out.resize(begin + static_cast<std::size_t>(entry->size) / 2);
    std::memcpy(out.data() + begin, sound.data.data() + entry->offset, (out.size() - begin) * 2);
  }
  return out;
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') lines.push_back(line);
  }
  return lines;
}

int CountWords(const std::string& utf8) {
  int n = 0;
  bool inWord = false;
  for (char c : Utf8ToCp1254(utf8)) {
    const bool part = IsLetter(c) || IsDigit(c);
    n += part && !inWord ? 1 : 0;
    inWord = part;
  }
  return n;
}

void Save(const std::string& path, const Samples& samples, int rate) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info)) {
    sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
  }
}

struct WordFigures {
  double lirvan = 0;
  double floor = 0;
  int words = 0;
  int silent = 0;
};

WordFigures MeasureWords(const Options& o, const UnitIndex& index, const Voice& sound,
                         voice::EspeakRenderer& espeak) {
  const Syllabifier syllabifier;
  WordFigures f;
  for (const std::string& word : Lines(o.words)) {
    const auto ref = voice::MelCepstra(voice::TrimSilence(espeak.RenderText(word, espeakRATE_NORMAL)), sound.sampleRate);
    const auto other = voice::MelCepstra(voice::TrimSilence(espeak.RenderText(word, o.otherRate)), sound.sampleRate);
    auto token = MakeToken(Utf8ToCp1254(word));
    BuildUnits(*token, syllabifier, index);
    const auto joined = voice::TrimSilence(Join(*token, index, sound));
    const double floor = voice::DtwDistortion(ref, other);
    const double lirvan = voice::DtwDistortion(ref, voice::MelCepstra(joined, sound.sampleRate));
    if (lirvan < 0 || floor < 0) {
      ++f.silent;
      std::printf("  silent or unrendered: %s\n", word.c_str());
      continue;
    }
    if (o.each) {
      std::string units;
      for (const UnitNode* n = token->units.get(); n != nullptr; n = n->next.get()) units += " " + Cp1254ToUtf8(n->name);
      std::printf("  %-16s %6.2f %6.2f %s\n", word.c_str(), lirvan, floor, units.c_str());
    }
    if (!o.save.empty()) {
      Save(o.save + "/" + word + "-lirvan.wav", joined, sound.sampleRate);
      Save(o.save + "/" + word + "-espeak.wav", voice::TrimSilence(espeak.RenderText(word, espeakRATE_NORMAL)), sound.sampleRate);
    }
    f.lirvan += lirvan;
    f.floor += floor;
    ++f.words;
  }
  return f;
}

struct Rhythm {
  double seconds = 0;
  double silentSeconds = 0;
  int words = 0;
  int pauses = 0;  // pauses inside the engine's sentences
};

void Add(Rhythm& r, const Samples& trimmed, int rate, int words) {
  const double seconds = static_cast<double>(trimmed.size()) / rate;
  r.seconds += seconds;
  r.silentSeconds += voice::SilentShare(trimmed, rate) * seconds;
  r.words += words;
}

void MeasureSentences(const Options& o, const UnitIndex& index, const Voice& sound,
                      voice::EspeakRenderer& espeak, Rhythm& engine, Rhythm& source) {
  int n = 0;
  for (const std::string& sentence : Lines(o.sentences)) {
    const int words = CountWords(sentence);
    const auto spoken = voice::TrimSilence(espeak.RenderText(sentence, espeakRATE_NORMAL));
    Add(source, spoken, sound.sampleRate, words);

    TokenCollector sink;
    TextFrontEnd frontEnd(sink, index);
    frontEnd.SetReadPunctuation(false);
    frontEnd.SetText(Utf8ToCp1254(sentence));
    frontEnd.Run();
    Samples played;
    for (const auto& t : sink.tokens) {
      if (t->kind == TokenKind::Rule) continue;
      const Samples units = Join(*t, index, sound);
      played.insert(played.end(), units.begin(), units.end());
      played.insert(played.end(), sound.pause.begin(), sound.pause.end());
      ++engine.pauses;
    }
    --engine.pauses;  // the last one is trimmed with the sentence's end
    const auto heard = voice::TrimSilence(played);
    Add(engine, heard, sound.sampleRate, words);
    if (!o.save.empty()) {
      Save(o.save + "/cumle" + std::to_string(n) + "-lirvan.wav", heard, sound.sampleRate);
      Save(o.save + "/cumle" + std::to_string(n) + "-espeak.wav", spoken, sound.sampleRate);
    }
    ++n;
  }
}

std::optional<Options> Parse(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Options o;
  o.home = argv[1];
  for (int i = 2; i < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--each") {
      o.each = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    if (arg == "--words") o.words = argv[i + 1];
    else if (arg == "--sentences") o.sentences = argv[i + 1];
    else if (arg == "--other-rate") o.otherRate = std::atoi(argv[i + 1]);
    else if (arg == "--save") o.save = std::filesystem::absolute(argv[i + 1]);
    else return std::nullopt;
  }
  if (o.otherRate < 80 || o.otherRate > 450) return std::nullopt;
  o.words = std::filesystem::absolute(o.words);
  o.sentences = std::filesystem::absolute(o.sentences);
  return o;
}

void Report(const WordFigures& w, const Rhythm& engine, const Rhythm& source, const Voice& sound) {
  const double lirvan = w.words ? w.lirvan / w.words : 0;
  const double floor = w.words ? w.floor / w.words : 0;
  std::printf("words: %d measured, %d silent\n", w.words, w.silent);
  std::printf("  mel-cepstral distortion: engine %.2f dB, floor %.2f dB, above the floor %.2f dB\n",
              lirvan, floor, lirvan - floor);
  const double engineWps = engine.words / engine.seconds;
  const double sourceWps = source.words / source.seconds;
  std::printf("sentences: %d words\n", source.words);
  std::printf("  words per second: engine %.2f, espeak-ng %.2f (%+.1f%%)\n", engineWps, sourceWps,
              100 * (engineWps / sourceWps - 1));
  std::printf("  silent frames: engine %.1f%%, espeak-ng %.1f%%\n", 100 * engine.silentSeconds / engine.seconds,
              100 * source.silentSeconds / source.seconds);
  // The pause that would give the source's pace, all else kept.
  const double pauseNow = 1000.0 * static_cast<double>(sound.pause.size()) / sound.sampleRate;
  const double wanted = pauseNow + 1000 * (source.words / sourceWps - engine.seconds) / engine.pauses;
  std::printf("  pause %.0f ms; the source's pace would need %.0f ms\n", pauseNow, wanted);
}

}  // namespace

int main(int argc, char** argv) {
  const auto o = Parse(argc, argv);
  if (!o) {
    std::fprintf(stderr,
                 "usage: lirvan-voice-measure HOME [--words FILE] [--sentences FILE] "
                 "[--other-rate WPM] [--save DIR] [--each]\n");
    return 2;
  }
  if (chdir(o->home.c_str()) != 0) {
    std::fprintf(stderr, "lirvan-voice-measure: cannot enter %s\n", o->home.c_str());
    return 2;
  }
  const auto sound = LoadVoice();
  if (!sound) {
    std::fprintf(stderr, "lirvan-voice-measure: no voice in %s/veriler\n", o->home.c_str());
    return 1;
  }
  const UnitIndex index(kIndexPath);
  voice::EspeakRenderer espeak(espeakRATE_NORMAL);
  const WordFigures words = MeasureWords(*o, index, *sound, espeak);
  Rhythm engine, source;
  MeasureSentences(*o, index, *sound, espeak, engine, source);
  if (words.words == 0 || engine.seconds <= 0 || source.seconds <= 0) {
    std::fprintf(stderr, "lirvan-voice-measure: nothing to measure\n");
    return 1;
  }
  Report(words, engine, source, *sound);
  return 0;
}
