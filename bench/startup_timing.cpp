// lirvan-startup-timing [--home DIR] [--audio null|clocked|default] [RUNS]:
// measures, in a fresh home with no settings file, the time from the start
// of the program to the main window being shown, and from the window being
// shown to the first sound of the greeting reaching the device.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/standard_tools.h"
#include "bench/private_home.h"
#include "shell/app_options.h"
#include "shell/lirvan_app.h"
#include "shell/mainfrm.h"
#include "speech/engine/speech_engine.h"

#ifndef LIRVAN_DEFAULT_HOME
#define LIRVAN_DEFAULT_HOME "."
#endif

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point processStart = Clock::now();
  QApplication application(argc, argv);
  std::string home = LIRVAN_DEFAULT_HOME;
  lirvan::AppOptions options;
  options.audio = lirvan::AudioBackendKind::Null;
  int runs = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--home" && i + 1 < argc) {
      home = std::filesystem::absolute(argv[++i]).string();
    } else if (arg == "--audio" && i + 1 < argc) {
      lirvan::ParseAudioBackend(argv[++i], options.audio);
    } else {
      runs = std::max(1, std::atoi(argv[i]));
    }
  }
  QTemporaryDir temp;
  const std::string privateHome = temp.path().toStdString();
  if (!temp.isValid() || !lirvan::bench::LinkVoiceHome(home, privateHome) ||
      !QDir::setCurrent(QString::fromStdString(privateHome))) {
    std::fprintf(stderr, "cannot prepare a home from %s\n", home.c_str());
    return 1;
  }
  // InitInstance builds and shows the frame, reads the settings and starts
  // the greeting, whose Speak returns at once. The window is shown inside
  // it, so "shown to first sound" lies between the two figures printed.
  std::vector<double> fromInit;
  std::vector<double> afterInit;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = run == 0 ? processStart : Clock::now();
    lirvan::CLirvanApp app(options, lirvan::StandardTools());
    const Clock::time_point beforeInit = Clock::now();
    app.InitInstance();
    const Clock::time_point initDone = Clock::now();
    while (app.Engine().RecordingLength() == 0 &&
           Clock::now() - initDone < std::chrono::seconds(5)) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const Clock::time_point firstSound = Clock::now();
    std::printf("run %d: engine %.1f ms, InitInstance %.1f ms, first sound %.1f ms after "
                "InitInstance began, %.1f ms after it returned%s\n",
                run + 1, Ms(beforeInit - start), Ms(initDone - beforeInit),
                Ms(firstSound - beforeInit), Ms(firstSound - initDone),
                run == 0 ? " (cold: from process start)" : "");
    fromInit.push_back(Ms(firstSound - beforeInit));
    afterInit.push_back(Ms(firstSound - initDone));
    app.StopSpeaking();
  }
  std::sort(fromInit.begin(), fromInit.end());
  std::sort(afterInit.begin(), afterInit.end());
  std::printf("median: window shown to first sound between %.1f and %.1f ms\n",
              afterInit[afterInit.size() / 2], fromInit[fromInit.size() / 2]);
  return 0;
}
