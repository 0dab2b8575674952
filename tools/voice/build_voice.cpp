// Generates the engine's voice from espeak-ng's Turkish voice.
//   lirvan-build-voice OUTPUT_FOLDER [--rate WPM] [--pause MS] [--jobs N]
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "tools/voice/espeak_renderer.h"
#include "tools/voice/inventory.h"
#include "tools/voice/voice_writer.h"

namespace {

using lirvan::voice::RenderedUnit;

// Rendering is CPU bound and libespeak-ng is single-threaded: worker
// processes each render a stripe of the inventory into a scratch file.
void RenderStripe(const std::vector<std::string>& units, int rate, int job, int jobs,
                  const std::string& scratch) {
  lirvan::voice::EspeakRenderer renderer(rate);
  std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
  for (std::size_t i = static_cast<std::size_t>(job); i < units.size(); i += static_cast<std::size_t>(jobs)) {
    const auto samples = renderer.RenderUnit(units[i]);
    const auto n = static_cast<std::uint32_t>(samples.size());
    out.write(reinterpret_cast<const char*>(&n), 4);
    out.write(reinterpret_cast<const char*>(samples.data()), static_cast<std::streamsize>(n * 2));
  }
}

bool ReadStripe(const std::string& scratch, std::vector<RenderedUnit>& units, int job, int jobs) {
  std::ifstream in(scratch, std::ios::binary);
  for (std::size_t i = static_cast<std::size_t>(job); i < units.size(); i += static_cast<std::size_t>(jobs)) {
    std::uint32_t n = 0;
    if (!in.read(reinterpret_cast<char*>(&n), 4)) return false;
    units[i].samples.resize(n);
    if (!in.read(reinterpret_cast<char*>(units[i].samples.data()), static_cast<std::streamsize>(n) * 2)) return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: lirvan-build-voice OUTPUT_FOLDER [--rate WPM] [--pause MS] [--jobs N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string folder = argv[1];
  int rate = 245;  // joined words then last as long as espeak-ng says them whole
  int pauseMs = 120;
  int jobs = 2;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const int value = std::atoi(argv[++i]);
    if (arg == "--rate") {
      rate = value;
    } else if (arg == "--pause") {
      pauseMs = value;
    } else if (arg == "--jobs") {
      jobs = value < 1 ? 1 : value;
    } else {
      return Usage();
    }
  }
  try {
    const std::vector<std::string> names = lirvan::voice::FullInventory();
    std::vector<RenderedUnit> units(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) units[i].name = names[i];

    std::vector<pid_t> children;
    for (int job = 0; job < jobs; ++job) {
      const pid_t pid = fork();
      if (pid == 0) {
        try {
          RenderStripe(names, rate, job, jobs, folder + "/.stripe" + std::to_string(job));
        } catch (const std::exception& e) {
          std::fprintf(stderr, "lirvan-build-voice: %s\n", e.what());
          std::_Exit(1);
        }
        std::_Exit(0);
      }
      if (pid < 0) throw std::runtime_error("cannot start a rendering process");
      children.push_back(pid);
    }
    for (pid_t pid : children) {
      int status = 0;
      waitpid(pid, &status, 0);
      if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("a rendering process failed");
    }
    for (int job = 0; job < jobs; ++job) {
      const std::string scratch = folder + "/.stripe" + std::to_string(job);
      if (!ReadStripe(scratch, units, job, jobs)) throw std::runtime_error("a rendering stripe is incomplete");
      std::remove(scratch.c_str());
    }
    const int sampleRate = lirvan::voice::EspeakRenderer(rate).sampleRate();
    const auto stats = lirvan::voice::WriteVoice(folder, units, sampleRate, pauseMs);
    std::printf("voice: %zu units, %zu bytes of sound at %d Hz\n", stats.units, stats.soundBytes, sampleRate);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lirvan-build-voice: %s\n", e.what());
    return 1;
  }
  return 0;
}
