// sd_lirvan's timing through its protocol, as speech-dispatcher drives it:
// SPEAK to the first audio handed on, STOP to the last audio byte, and the
// length of the audio against lirvan-say --out for the same text and rate.
//   sd-timing [RUNS]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "module_process.h"

namespace {

using namespace std::chrono;
using lirvan::sd::testing::ModuleProcess;
using lirvan::sd::testing::Reply;

const std::vector<std::string> kEnds{"702 END", "703 STOP", "704 PAUSE"};

double Ms(steady_clock::duration d) { return duration<double, std::milli>(d).count(); }

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

void Report(const char* what, const std::vector<double>& v) {
  std::printf("%-34s median %7.2f ms   p90 %7.2f ms   max %7.2f ms   (%zu runs)\n", what, Percentile(v, 0.5),
              Percentile(v, 0.9), Percentile(v, 1.0), v.size());
}

std::vector<double> FirstAudio(ModuleProcess& module, int runs) {
  const std::vector<std::string> texts{"Merhaba dünya.", "Dosya kaydedildi.", "Bugün saat 14.30'da toplantı var.",
                                       "<speak><mark name=\"a\"/>Bir iki üç.</speak>"};
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    module.Send("SPEAK\n");
    module.Until({"202 OK SEND DATA"});
    const auto sent = steady_clock::now();
    module.Send(texts[static_cast<std::size_t>(i) % texts.size()] + "\n.\n");
    const auto replies = module.Until(kEnds);
    for (const auto& r : replies) {
      if (r.line == "705 AUDIO") {
        times.push_back(Ms(r.at - sent));
        break;
      }
    }
  }
  return times;
}

void StopToLastByte(ModuleProcess& module, int runs, std::vector<double>& lastByte, std::vector<double>& event) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "Bu uzun metin ekran okuyucunun sustuğunu ölçmek için okunuyor. ";
  for (int i = 0; i < runs; ++i) {
    module.Send("SPEAK\n" + text + "\n.\n");
    module.Until({"705 AUDIO"});
    const auto sent = steady_clock::now();
    module.Send("STOP\n");
    const auto replies = module.Until(kEnds);
    double last = 0;
    for (const auto& r : replies) {
      if (r.line == "705 AUDIO") last = std::max(last, Ms(r.endedAt - sent));
    }
    lastByte.push_back(last);
    if (!replies.empty()) event.push_back(Ms(replies.back().at - sent));
  }
}

std::size_t SayBytes(const std::string& text, int percent) {
  const auto wav = std::filesystem::temp_directory_path() / ("sd-timing-" + std::to_string(getpid()) + ".wav");
  const std::string command = std::string("'") + LIRVAN_SAY_PROGRAM + "' --no-punctuation --rate " +
                              std::to_string(percent) + " --out '" + wav.string() + "' '" + text + "'";
  if (std::system(command.c_str()) != 0) return 0;
  std::error_code ec;
  const auto size = std::filesystem::file_size(wav, ec);
  std::filesystem::remove(wav, ec);
  return ec || size < 44 ? 0 : static_cast<std::size_t>(size - 44);
}

void Lengths(ModuleProcess& module) {
  const std::vector<std::string> texts{"Bugün hava çok güzel, dışarı çıkalım mı?",
                                       "Toplantı yarın saat onda başlayacak ve öğlene kadar sürecek."};
  const std::vector<std::pair<int, int>> rates{{0, 100}, {50, 200}, {-50, 71}, {100, 400}};
  for (const auto& [rate, percent] : rates) {
    module.Send("SET\nrate=" + std::to_string(rate) + "\n.\n");
    module.Until({"203 OK SETTINGS RECEIVED"});
    for (const auto& text : texts) {
      module.Send("SPEAK\n" + text + "\n.\n");
      const std::size_t handed = lirvan::sd::testing::AudioBytes(module.Until(kEnds));
      const std::size_t said = SayBytes(text, percent);
      std::printf("rate %4d (%3d%%): module %7zu bytes, lirvan-say %7zu bytes, %+.2f%%\n", rate, percent, handed, said,
                  said == 0 ? 0.0 : 100.0 * (static_cast<double>(handed) - static_cast<double>(said)) / static_cast<double>(said));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const auto config = std::filesystem::temp_directory_path() / ("sd-timing-" + std::to_string(getpid()) + ".conf");
  std::ofstream(config) << "LirvanVoiceHome \"" << LIRVAN_VOICE_HOME << "\"\n";
  ModuleProcess module(SD_LIRVAN_PROGRAM, {config.string()});
  module.Send("INIT\nAUDIO\naudio_output_method=server\n.\n");
  if (module.Until({"203 OK AUDIO INITIALIZED", "400 ERR CANT INIT AUDIO"}).empty()) {
    std::fprintf(stderr, "sd-timing: the module did not start\n");
    return 1;
  }
  FirstAudio(module, 3);  // warm the voice's pages
  Report("SPEAK -> first audio handed on", FirstAudio(module, runs));
  std::vector<double> lastByte;
  std::vector<double> stopEvent;
  StopToLastByte(module, runs / 2 + 1, lastByte, stopEvent);
  Report("STOP -> last audio byte", lastByte);
  Report("STOP -> 703 STOP", stopEvent);
  Lengths(module);
  module.Send("QUIT\n");
  module.Until({"210 OK QUIT"});
  std::filesystem::remove(config);
  return 0;
}
