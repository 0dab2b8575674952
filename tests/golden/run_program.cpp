#include "tests/golden/run_program.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>

namespace lirvan::test {
namespace {

// Feeds the input and drains both outputs together, so neither side can
// block on a full pipe whatever the sizes.
void Exchange(int in, int out, int err, const std::string& input, ProgramRun& run) {
  std::size_t written = 0;
  if (input.empty()) {
    close(in);
    in = -1;
  }
  std::array<pollfd, 3> fds{};
  while (out >= 0 || err >= 0) {
    fds = {pollfd{out, POLLIN, 0}, pollfd{err, POLLIN, 0}, pollfd{in, POLLOUT, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0) break;
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        (i == 0 ? out : err) = -1;
      }
    }
    if (in >= 0 && fds[2].revents != 0) {
      const ssize_t n = write(in, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n <= 0 || written == input.size()) {
        close(in);
        in = -1;
      }
    }
  }
  if (in >= 0) close(in);
}

}  // namespace

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::string& input, const std::string& folder) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return {};
  std::signal(SIGPIPE, SIG_IGN);  // a program that stops reading early must not kill the test
  const pid_t child = fork();
  if (child == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  ProgramRun run;
  Exchange(in[1], out[0], err[0], input, run);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKiB = usage.ru_maxrss;
  return run;
}

}  // namespace lirvan::test
