// lirvan-say --out on Turkish prose: the program's wall time and peak
// memory, against merely writing the same number of bytes and against
// espeak-ng -v tr -w on the same text, in the same run. A 5 MB text is
// written to a .wav name that leads to /dev/null: its memory is what
// counts, and its sound would fill tens of gigabytes.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_home.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double CpuSeconds(const rusage& use) {
  return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
         static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

struct Run {
  double seconds = 0;
  double cpuSeconds = 0;   // user and system: what the machine's load does not change
  double peakMiB = 0;      // resident, the voice's mapped file included
  double peakAnonMiB = 0;  // what the program allocated (sampled)
  bool ok = false;
};

// A field of /proc/PID/status in MiB; 0 once the process is gone.
double StatusMiB(pid_t pid, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size())) / 1024.0;
  }
  return 0;
}

// Each side starts from the same state: no old file whose pages must be
// dropped first, no earlier write still being flushed.
void Fresh(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
  ::sync();
}

// Runs the program with stdin from a file; wall time and the child's peak
// resident memory.
Run RunProgram(std::vector<std::string> args, const std::string& input) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open(input.c_str(), O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0) ::_exit(127);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  double anon = 0;
  double peak = 0;
  // The resident peak (VmHWM: the program's own, from its exec on; the
  // child's ru_maxrss would count the forked copy of this process) counts
  // the voice's file pages, which the kernel shares and may drop; the
  // private memory is sampled beside it.
  while (pid > 0 && ::wait4(pid, &status, WNOHANG, &usage) == 0) {
    anon = std::max(anon, StatusMiB(pid, "RssAnon:"));
    peak = std::max(peak, StatusMiB(pid, "VmHWM:"));
    ::usleep(1000);
  }
  if (pid < 0) return {};
  return {std::chrono::duration<double>(Clock::now() - start).count(),
          CpuSeconds(usage), peak, anon, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// The floor: the same number of bytes written in 64 KiB pieces; wall and
// processor seconds.
std::pair<double, double> WriteFloor(const std::string& path, std::uintmax_t bytes) {
  const std::vector<char> piece(64 << 10, '\0');
  rusage before{};
  ::getrusage(RUSAGE_SELF, &before);
  const auto start = Clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  for (std::uintmax_t left = bytes; fd >= 0 && left > 0;) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uintmax_t>(left, piece.size()));
    if (::write(fd, piece.data(), n) != static_cast<ssize_t>(n)) break;
    left -= n;
  }
  if (fd >= 0) ::close(fd);
  rusage after{};
  ::getrusage(RUSAGE_SELF, &after);
  return {std::chrono::duration<double>(Clock::now() - start).count(),
          CpuSeconds(after) - CpuSeconds(before)};
}

template <typename F>
double MedianOf(int times, F&& once) {
  std::vector<double> values;
  for (int i = 0; i < times; ++i) values.push_back(once());
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string WriteText(std::size_t bytes, const std::string& path) {
  std::ofstream(path, std::ios::binary) << lirvan::Cp1254ToUtf8(lirvan::bench::TurkishText(bytes));
  return path;
}

// lirvan-say --out on a text against writing as many bytes, each the
// median of five runs from the same state.
struct Comparison {
  double say = 0, floor = 0;  // wall seconds
  double program = 0;         // the same bytes written by a program started afresh (dd)
  double sayCpu = 0, floorCpu = 0;
  Run last;
  std::uintmax_t bytes = 0;
};

Comparison Compare(const std::string& home, const std::string& text, const fs::path& dir) {
  Comparison c;
  const std::string out = (dir / "out.wav").string();
  c.say = MedianOf(5, [&] {
    Fresh(out);
    c.last = RunProgram({LIRVAN_SAY, "--home", home, "--out", out}, text);
    c.sayCpu = c.last.cpuSeconds;
    return c.last.seconds;
  });
  c.bytes = fs::file_size(out);
  const std::string floorPath = (dir / "floor.bin").string();
  c.floor = MedianOf(5, [&] {
    Fresh(floorPath);
    const auto [wall, cpu] = WriteFloor(floorPath, c.bytes);
    c.floorCpu = cpu;
    return wall;
  });
  c.program = MedianOf(5, [&] {
    Fresh(floorPath);
    return RunProgram({"dd", "if=/dev/zero", "of=" + floorPath, "bs=64K", "iflag=count_bytes",
                       "count=" + std::to_string(c.bytes), "status=none"},
                      "/dev/null")
        .seconds;
  });
  return c;
}

void PrintComparison(const char* what, const Comparison& c) {
  std::printf("%s text, --out %.1f MiB of sound\n", what, static_cast<double>(c.bytes) / (1 << 20));
  std::printf("  lirvan-say --out      %8.3f s (median of 5), peak %.1f MiB resident, %.1f MiB private\n",
              c.say, c.last.peakMiB, c.last.peakAnonMiB);
  std::printf("  writing the same bytes %7.3f s  -> ratio %.2f\n", c.floor, c.say / c.floor);
  std::printf("  the same bytes by dd   %7.3f s  -> ratio %.2f (a program started afresh, as lirvan-say is)\n",
              c.program, c.say / c.program);
  std::printf("  processor time (last run): lirvan-say %.3f s, writing %.3f s -> ratio %.2f\n", c.sayCpu,
              c.floorCpu, c.floorCpu > 0 ? c.sayCpu / c.floorCpu : 0);
}

}  // namespace

int main() {
  const std::string home = lirvan::bench::VoiceHome().string();
  const fs::path dir = fs::temp_directory_path() / ("lirvan-out-timing-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string small = WriteText(40 << 10, (dir / "metin40k.txt").string());
  const std::string out = (dir / "out.wav").string();
  bool ok = true;

  const Comparison small40 = Compare(home, small, dir);
  ok = ok && small40.last.ok;
  const double espeak = MedianOf(3, [&] {
    const Run run = RunProgram({"espeak-ng", "-v", "tr", "-w", (dir / "espeak.wav").string(), "-f", small}, "/dev/null");
    ok = ok && run.ok;
    return run.seconds;
  });
  PrintComparison("40 KB", small40);
  const double startUp = MedianOf(3, [&] {
    Fresh(out);
    return RunProgram({LIRVAN_SAY, "--home", home, "--out", out}, "/dev/null").seconds;
  });
  std::printf("  of which start-up (no text) %.3f s\n", startUp);
  std::printf("  espeak-ng -v tr -w    %8.3f s  (%.2f x lirvan-say)\n", espeak, espeak / small40.say);

  // Ten times the text: the start-up counts for less, the steady pace shows.
  const std::string medium = WriteText(400 << 10, (dir / "metin400k.txt").string());
  const Comparison medium400 = Compare(home, medium, dir);
  ok = ok && medium400.last.ok;
  PrintComparison("400 KB", medium400);
  fs::remove(dir / "out.wav");
  fs::remove(dir / "floor.bin");

  const std::string large = WriteText(5 << 20, (dir / "metin5m.txt").string());
  // Past 4 GiB the sound goes on in nowhere-2.wav ...: those lead nowhere too.
  const fs::path nowhere = dir / "nowhere.wav";
  fs::create_symlink("/dev/null", nowhere);
  for (int n = 2; n <= 64; ++n) {
    fs::create_symlink("/dev/null", dir / ("nowhere-" + std::to_string(n) + ".wav"));
  }
  const Run big = RunProgram({LIRVAN_SAY, "--home", home, "--out", nowhere.string()}, large);
  ok = ok && big.ok;
  std::printf("5 MB text, --out to /dev/null: %.1f s, peak %.1f MiB resident, %.1f MiB private\n",
              big.seconds, big.peakMiB, big.peakAnonMiB);

  fs::remove_all(dir);
  if (!ok) std::fprintf(stderr, "a run failed\n");
  return ok ? 0 : 1;
}
