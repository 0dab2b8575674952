// lirvan-browser-timing [RUNS] [WINDOWS]: the browser in the real desktop
// (null audio device, a private home), measuring
//  - from the end of a local page's load (the control's load-finished) to
//    the first sound of "... sayfası yüklendi" reaching the device;
//  - the snapshot of a page with 5,000 elements: the page script's run and
//    the reading of its answer, as one load or Shift+F5 takes it;
//  - the memory of Qt WebEngine per browser window: the proportional set
//    size of the program and all its helper processes.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/standard_tools.h"
#include "bench/private_home.h"
#include "browser/lirvan_page.h"
#include "browser/lirvan_view.h"
#include "browser/page_bridge.h"
#include "shell/childfrm.h"
#include "shell/lirvan_app.h"
#include "shell/mainfrm.h"
#include "speech/engine/speech_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs the event loop until the condition holds, checking it every
// millisecond without spinning, so the program's own CPU time stays its
// work's.
bool WaitUntil(const std::function<bool()>& condition, int seconds = 20) {
  const Clock::time_point end = Clock::now() + std::chrono::seconds(seconds);
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, [&] {
    if (condition() || Clock::now() > end) loop.quit();
  });
  check.start(1);
  if (!condition()) loop.exec();
  return condition();
}

void WritePage(const std::string& path, const std::string& title, const std::string& body) {
  std::ofstream(path) << "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" << title
                      << "</title></head><body>" << body << "</body></html>";
}

// 5,000 elements: sections of a heading, a paragraph, a linked table row
// and a field (ten elements each, the table's body included).
std::string LargeBody() {
  std::ostringstream body;
  for (int i = 0; i < 500; ++i) {
    body << "<div><h2>Bölüm " << i << "</h2><p>Haberler ve spor " << i
         << "</p><table><tbody><tr><td><a href='#" << i << "'>Ali</a></td><td>Veli</td>"
         << "</tr></tbody></table><input name='a" << i << "'></div>";
  }
  return body.str();
}

// The processes below this one (Qt WebEngine's zygote, renderers and
// utilities), by their parent.
std::map<int, int> ProcessParents() {
  std::map<int, int> parents;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    parents[std::stoi(name)] = parent;
  }
  return parents;
}

std::vector<int> ProcessTree() {
  std::map<int, int> parents = ProcessParents();
  std::vector<int> tree;
  for (const auto& [pid, parent] : parents) {
    for (int p = pid; p > 1; p = parents.count(p) ? parents[p] : 0) {
      if (p == getpid()) {
        tree.push_back(pid);
        break;
      }
    }
  }
  return tree;
}

// CPU time, in ms, used so far by this process and every process below it:
// on a machine shared with other work the wall time says little.
double TreeCpuMs(bool selfOnly = false, bool othersOnly = false) {
  double ticks = 0;
  for (const int pid : ProcessTree()) {
    if (selfOnly && pid != getpid()) continue;
    if (othersOnly && pid == getpid()) continue;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int i = 3; i <= 15; ++i) {
      rest >> field;
      if (i == 14) utime = std::stod(field);
      if (i == 15) stime = std::stod(field);
    }
    ticks += utime + stime;
  }
  return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The proportional set size, in MiB, of this process and every process
// below it (Qt WebEngine's zygote, renderers and utilities).
double TreePssMiB() {
  double kib = 0;
  for (const int pid : ProcessTree()) {
    std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    double value = 0;
    while (rollup >> key) {
      if (key == "Pss:" && rollup >> value) {
        kib += value;
        break;
      }
    }
  }
  return kib / 1024.0;
}

lirvan::CLirvanView* OpenBrowser(lirvan::CLirvanApp& app) {
  lirvan::CMdiChild* child = app.m_pMainFrame->OpenNewDocument(lirvan::kBrowserTemplate);
  auto* view = qobject_cast<lirvan::CLirvanView*>(child->view());
  if (view == nullptr || !WaitUntil([view] { return view->pageLoaded(); })) return nullptr;
  return view;
}

bool Load(lirvan::CLirvanView& view, const QString& path) {
  bool ready = false;
  const auto connection =
      QObject::connect(&view, &lirvan::CLirvanView::pageReady, [&ready] { ready = true; });
  view.Navigate(QUrl::fromLocalFile(path));
  const bool loaded = WaitUntil([&ready] { return ready; });
  QObject::disconnect(connection);
  return loaded;
}

// Load end to the first sound of the announcement, once per run.
void AnnouncementLatency(lirvan::CLirvanApp& app, lirvan::CLirvanView& view, int runs) {
  const QString folder = QDir::currentPath();
  WritePage((folder + "/bir.html").toStdString(), "Birinci", "<p>Bir</p>");
  WritePage((folder + "/iki.html").toStdString(), "İkinci", "<p>İki</p>");
  std::vector<double> latencies;
  for (int run = 0; run < runs; ++run) {
    std::atomic<bool> ended{false};
    Clock::time_point loadEnd;
    std::size_t before = 0;
    const auto connection =
        QObject::connect(view.page(), &QWebEnginePage::loadFinished, [&](bool) {
          before = app.Engine().RecordingLength();
          loadEnd = Clock::now();
          ended = true;
        });
    Clock::time_point firstSound;
    std::thread watcher([&] {
      while (!ended) std::this_thread::yield();
      const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(5);
      while (app.Engine().RecordingLength() == before && Clock::now() < giveUp) {
        std::this_thread::yield();
      }
      firstSound = Clock::now();
    });
    const bool loaded = Load(view, folder + (run % 2 == 0 ? "/bir.html" : "/iki.html"));
    ended = true;
    watcher.join();
    QObject::disconnect(connection);
    if (!loaded) {
      std::printf("a page did not load\n");
      return;
    }
    latencies.push_back(Ms(firstSound - loadEnd));
  }
  std::printf("load end to first sound of the announcement: median %.2f ms, max %.2f ms (%d loads)\n",
              Median(latencies), *std::max_element(latencies.begin(), latencies.end()), runs);
}

void SnapshotTime(lirvan::CLirvanView& view, int runs) {
  const QString path = QDir::currentPath() + "/buyuk.html";
  WritePage(path.toStdString(), "Büyük", LargeBody());
  if (!Load(view, path)) return;
  lirvan::PageBridge bridge(*view.page());
  std::vector<double> times;
  std::vector<double> cpu;
  int elements = 0;
  for (int run = 0; run < runs; ++run) {
    bool back = false;
    const double cpuBefore = TreeCpuMs();
    const double selfBefore = TreeCpuMs(true), othersBefore = TreeCpuMs(false, true);
    const Clock::time_point start = Clock::now();
    bridge.Snapshot([&](std::optional<lirvan::PageSnapshot> snapshot) {
      if (snapshot) elements = snapshot->size();
      back = true;
    });
    WaitUntil([&] { return back; });
    times.push_back(Ms(Clock::now() - start));
    cpu.push_back(TreeCpuMs() - cpuBefore);
    std::printf("self %.0f others %.0f\n", TreeCpuMs(true) - selfBefore, TreeCpuMs(false, true) - othersBefore);
  }
  {
    const double selfBefore = TreeCpuMs(true), othersBefore = TreeCpuMs(false, true);
    WaitUntil([] { return false; }, 5);
    std::printf("idle 5 s: self %.0f others %.0f\n", TreeCpuMs(true) - selfBefore, TreeCpuMs(false, true) - othersBefore);
  }
  std::printf("snapshot of %d elements, script and reading: median %.1f ms, max %.1f ms; "
              "CPU of all processes median %.0f ms (%d runs)\n",
              elements, Median(times), *std::max_element(times.begin(), times.end()), Median(cpu),
              runs);
}

void MemoryPerWindow(lirvan::CLirvanApp& app, lirvan::CLirvanView& first, int windows) {
  const QString path = QDir::currentPath() + "/bir.html";
  Load(first, path);
  const double before = TreePssMiB();
  for (int i = 1; i < windows; ++i) {
    lirvan::CLirvanView* view = OpenBrowser(app);
    if (view == nullptr || !Load(*view, path)) return;
  }
  WaitUntil([] { return false; }, 1);  // let the helper processes settle
  const double after = TreePssMiB();
  std::printf("memory: %.0f MiB PSS with one browser window (program and helpers), "
              "%.0f MiB with %d; %.0f MiB for each further window\n",
              before, after, windows, (after - before) / (windows - 1));
}

}  // namespace

int main(int argc, char** argv) {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const int windows = argc > 2 ? std::max(2, std::atoi(argv[2])) : 4;
  QTemporaryDir temp;
  if (!temp.isValid() || !lirvan::bench::LinkVoiceHome(LIRVAN_VOICE_HOME, temp.path().toStdString()) ||
      !QDir::setCurrent(temp.path())) {
    std::fprintf(stderr, "cannot prepare a home from %s\n", LIRVAN_VOICE_HOME);
    return 1;
  }
  { std::ofstream(temp.path().toStdString() + "/veriler/ayarlar.dat") << "0 0 1\n"; }
  lirvan::AppOptions options;
  options.home = temp.path().toStdString();
  options.audio = lirvan::AudioBackendKind::Null;
  lirvan::CLirvanApp app(options, lirvan::StandardTools());
  if (!app.InitInstance()) return 1;
  lirvan::CLirvanView* view = OpenBrowser(app);
  if (view == nullptr) {
    std::fprintf(stderr, "the browser did not start\n");
    return 1;
  }
  AnnouncementLatency(app, *view, runs);
  SnapshotTime(*view, runs);
  MemoryPerWindow(app, *view, windows);
  return 0;
}
