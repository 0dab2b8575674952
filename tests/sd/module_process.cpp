#include "module_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace lirvan::sd::testing {

ModuleProcess::ModuleProcess(const std::string& program, const std::vector<std::string>& args,
                             const std::string& stderrFile) {
  int toChild[2];
  int fromChild[2];
  if (pipe2(toChild, O_CLOEXEC) != 0) return;
  if (pipe2(fromChild, O_CLOEXEC) != 0) {
    close(toChild[0]);
    close(toChild[1]);
    return;
  }
  std::vector<std::string> argvStore{program};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(toChild[0], 0);
    dup2(fromChild[1], 1);
    const int err = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (err >= 0) dup2(err, 2);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(toChild[0]);
  close(fromChild[1]);
  in_ = toChild[1];
  out_ = fromChild[0];
  signal(SIGPIPE, SIG_IGN);
}

ModuleProcess::~ModuleProcess() {
  CloseInput();
  Wait(std::chrono::seconds(5));
  if (out_ >= 0) close(out_);
}

bool ModuleProcess::Send(const std::string& bytes) {
  std::size_t done = 0;
  while (in_ >= 0 && done < bytes.size()) {
    const ssize_t put = write(in_, bytes.data() + done, bytes.size() - done);
    if (put > 0) done += static_cast<std::size_t>(put);
    else if (put < 0 && errno == EINTR) continue;
    else return false;
  }
  return in_ >= 0;
}

void ModuleProcess::CloseInput() {
  if (in_ >= 0) close(in_);
  in_ = -1;
}

bool ModuleProcess::Fill(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0 || out_ < 0) return false;
  pollfd p{out_, POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
  char chunk[65536];
  const ssize_t got = read(out_, chunk, sizeof chunk);
  if (got <= 0) return false;
  buffer_.append(chunk, static_cast<std::size_t>(got));
  return true;
}

std::optional<std::string> ModuleProcess::RawLine(std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const std::size_t lf = buffer_.find('\n');
    if (lf != std::string::npos) {
      std::string line = buffer_.substr(0, lf);
      buffer_.erase(0, lf + 1);
      return line;
    }
    if (!Fill(deadline)) return std::nullopt;
  }
}

std::optional<Reply> ModuleProcess::Next(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto line = RawLine(deadline);
  if (!line) return std::nullopt;
  const auto now = std::chrono::steady_clock::now();
  Reply reply{*line, {}, now, now};
  if (!line->starts_with("705-")) return reply;
  // An audio event: its parameter lines, the data line, then "705 AUDIO".
  while (line && *line != "705 AUDIO") {
    if (line->starts_with("705-AUDIO")) {
      const std::string_view data = std::string_view(*line).substr(std::string_view("705-AUDIO").size());
      reply.audio = UnescapeAudio(data.empty() ? data : data.substr(1));
    }
    line = RawLine(deadline);
  }
  reply.line = "705 AUDIO";
  reply.endedAt = std::chrono::steady_clock::now();
  return reply;
}

std::vector<Reply> ModuleProcess::Until(const std::vector<std::string>& ends, std::chrono::milliseconds timeout) {
  std::vector<Reply> replies;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (auto reply = Next(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()))) {
    replies.push_back(std::move(*reply));
    for (const auto& end : ends) {
      if (replies.back().line == end) return replies;
    }
  }
  return replies;
}

int ModuleProcess::Wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return status_;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      pid_ = -1;
      return status_ = -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  pid_ = -1;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return status_;
}

std::vector<std::uint8_t> UnescapeAudio(std::string_view escaped) {
  std::vector<std::uint8_t> out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(escaped[i]);
    if (b == 0x7D && i + 1 < escaped.size()) {
      out.push_back(static_cast<std::uint8_t>(escaped[++i]) ^ 0x20);
    } else {
      out.push_back(b);
    }
  }
  return out;
}

std::vector<std::string> Lines(const std::vector<Reply>& replies) {
  std::vector<std::string> lines;
  for (const auto& r : replies) lines.push_back(r.line);
  return lines;
}

std::size_t AudioBytes(const std::vector<Reply>& replies) {
  std::size_t bytes = 0;
  for (const auto& r : replies) bytes += r.audio.size();
  return bytes;
}

}  // namespace lirvan::sd::testing
