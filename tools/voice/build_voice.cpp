// Generates the engine's voice from espeak-ng's Turkish voice.
//   lirvan-build-voice OUTPUT_FOLDER [--mode context|isolated] [--rate WPM]
//                      [--pause MS] [--jobs N] [--carriers WORDLIST] [--whole-words WORDLIST] [--pitch flat|natural]
// context (the default): every unit is cut from a carrier word said at one
// flat pitch; isolated: every unit said on its own, for comparison.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp1254.h"
#include "tools/voice/carriers.h"
#include "tools/voice/espeak_renderer.h"
#include "tools/voice/inventory.h"
#include "tools/voice/voice_writer.h"

namespace {

using lirvan::voice::RenderedUnit;

struct Options {
  std::string folder;
  bool context = true;
  bool flatPitch = true;
  int rate = 0;  // 0: the mode's own
  int pauseMs = -1;  // -1: the mode's own
  int jobs = 2;
  std::string carriers = std::string(LIRVAN_VOICE_DATA) + "/carrier_words.txt";
  std::string wholeWords = std::string(LIRVAN_VOICE_DATA) + "/whole_words.txt";
};

// Loudness of every unit's vowels (RMS of 16-bit samples).
constexpr double kUnitLevel = 5000;

// A unit cut from the first carrier whose rendering lines up; said on its
// own when none does. The flag tells which.
std::vector<std::int16_t> RenderInContext(lirvan::voice::EspeakRenderer& renderer,
                                          const lirvan::voice::CarrierChooser& chooser,
                                          const std::string& unit, bool& alone) {
  for (const auto& carrier : chooser.For(unit)) {
    const auto rendering = renderer.RenderWithEvents(lirvan::Cp1254ToUtf8(carrier.text));
    if (auto cut = lirvan::voice::CutUnit(carrier.text, carrier.begin, carrier.end, rendering, kUnitLevel)) {
      alone = false;
      return std::move(*cut);
    }
  }
  alone = true;
  return renderer.RenderUnit(unit);
}

// Rendering is CPU bound and libespeak-ng is single-threaded: worker
// processes each render a stripe of the inventory into a scratch file.
void RenderStripe(const std::vector<std::string>& units, const Options& options,
                  const lirvan::voice::CarrierChooser* chooser, int job, const std::string& scratch) {
  lirvan::voice::EspeakRenderer renderer(options.rate);
  if (chooser != nullptr && options.flatPitch) renderer.SetFlatPitch();
  std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
  for (std::size_t i = static_cast<std::size_t>(job); i < units.size(); i += static_cast<std::size_t>(options.jobs)) {
    bool alone = true;
    const auto samples = chooser != nullptr ? RenderInContext(renderer, *chooser, units[i], alone)
                                            : renderer.RenderUnit(units[i]);
    const auto n = static_cast<std::uint32_t>(samples.size());
    const char flag = alone ? 1 : 0;
    out.write(&flag, 1);
    out.write(reinterpret_cast<const char*>(&n), 4);
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(n * 2));
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + scratch);
}

// Reads one stripe back; the number of units said alone, or nothing when
// the stripe is incomplete.
std::optional<std::size_t> ReadStripe(const std::string& scratch, std::vector<RenderedUnit>& units,
                                      int job, int jobs) {
  std::ifstream in(scratch, std::ios::binary);
  std::size_t alone = 0;
  for (std::size_t i = static_cast<std::size_t>(job); i < units.size(); i += static_cast<std::size_t>(jobs)) {
    char flag = 0;
    std::uint32_t n = 0;
    if (!in.read(&flag, 1) || !in.read(reinterpret_cast<char*>(&n), 4)) return std::nullopt;
    units[i].samples.resize(n);
    if (!in.read(reinterpret_cast<char*>(units[i].samples.data()), static_cast<std::streamsize>(n) * 2)) return std::nullopt;
    alone += flag != 0 ? 1 : 0;
  }
  return alone;
}

int Usage() {
  std::fprintf(stderr,
               "usage: lirvan-build-voice OUTPUT_FOLDER [--mode context|isolated] [--rate WPM] "
               "[--pause MS] [--jobs N] [--carriers WORDLIST] [--whole-words WORDLIST] [--pitch flat|natural]\n");
  return 2;
}

std::optional<Options> Parse(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  Options o;
  o.folder = argv[1];
  for (int i = 2; i < argc; i += 2) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[i + 1];
    if (arg == "--mode" && (value == "context" || value == "isolated")) {
      o.context = value == "context";
    } else if (arg == "--pitch" && (value == "flat" || value == "natural")) {
      o.flatPitch = value == "flat";
    } else if (arg == "--carriers") {
      o.carriers = value;
    } else if (arg == "--whole-words") {
      o.wholeWords = value;
    } else if (arg == "--rate" || arg == "--pause" || arg == "--jobs") {
      const int n = std::atoi(value.c_str());
      if (n < (arg == "--pause" ? 0 : 1)) return std::nullopt;
      (arg == "--rate" ? o.rate : arg == "--pause" ? o.pauseMs : o.jobs) = n;
    } else {
      return std::nullopt;
    }
  }
  // Units said alone are rendered faster, so joined words last as long as
  // whole ones; units cut from words already have the words' pace.
  if (o.rate == 0) o.rate = o.context ? 175 : 245;
  // 20 ms after every word gives sentences the source's pace (within 2%)
  // and about its share of silence (lirvan-voice-measure); the isolated
  // mode keeps its 120 ms.
  if (o.pauseMs < 0) o.pauseMs = o.context ? 20 : 120;
  return o;
}

// Renders the stripes in worker processes and gathers them; the number of
// units said alone.
std::size_t RenderAll(const std::vector<std::string>& names, const Options& options,
                      const lirvan::voice::CarrierChooser* chooser, std::vector<RenderedUnit>& units) {
  std::vector<pid_t> children;
  for (int job = 0; job < options.jobs; ++job) {
    const pid_t pid = fork();
    if (pid == 0) {
      try {
        RenderStripe(names, options, chooser, job, options.folder + "/.stripe" + std::to_string(job));
      } catch (const std::exception& e) {
        std::fprintf(stderr, "lirvan-build-voice: %s\n", e.what());
        std::_Exit(1);
      }
      std::_Exit(0);
    }
    if (pid < 0) throw std::runtime_error("cannot start a rendering process");
    children.push_back(pid);
  }
  bool failed = false;
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    failed = failed || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
  }
  std::size_t alone = 0;
  for (int job = 0; job < options.jobs; ++job) {
    const std::string scratch = options.folder + "/.stripe" + std::to_string(job);
    const auto stripe = failed ? std::nullopt : ReadStripe(scratch, units, job, options.jobs);
    std::remove(scratch.c_str());
    if (!stripe) throw std::runtime_error(failed ? "a rendering process failed" : "a rendering stripe is incomplete");
    alone += *stripe;
  }
  return alone;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = Parse(argc, argv);
  if (!options) return Usage();
  try {
    std::filesystem::create_directories(options->folder);
    // Only the context mode records further whole words: the isolated
    // mode is the voice as it was, for comparison.
    std::vector<std::string> wholeWords;
    if (options->context) wholeWords = lirvan::voice::ReadWordList(options->wholeWords);
    const std::vector<std::string> names = lirvan::voice::FullInventory(wholeWords);
    std::vector<RenderedUnit> units(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) units[i].name = names[i];

    std::optional<lirvan::voice::CarrierChooser> chooser;
    if (options->context) {
      const auto words = lirvan::voice::ReadWordList(options->carriers);
      if (words.empty()) throw std::runtime_error("no carrier words in " + options->carriers);
      for (std::string& w : lirvan::voice::WholeWordUnits()) wholeWords.push_back(std::move(w));
      chooser.emplace(words, names, wholeWords);
    }
    const std::size_t alone = RenderAll(names, *options, chooser ? &*chooser : nullptr, units);
    const int sampleRate = lirvan::voice::EspeakRenderer(options->rate).sampleRate();
    const auto stats = lirvan::voice::WriteVoice(options->folder, units, sampleRate, options->pauseMs);
    std::printf("voice: %zu units (%zu said alone), %zu bytes of sound at %d Hz, pause %d ms\n",
                stats.units, options->context ? alone : stats.units, stats.soundBytes, sampleRate,
                options->pauseMs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lirvan-build-voice: %s\n", e.what());
    return 1;
  }
  return 0;
}
