#pragma once
// sd_lirvan run as speech-dispatcher runs it, driven through its standard
// input and output: for the protocol tests and the timing program.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lirvan::sd::testing {

// One line the module wrote; an audio event's lines come as one message
// whose samples are unescaped.
struct Reply {
  std::string line;  // "705 AUDIO" for an audio event
  std::vector<std::uint8_t> audio;
  std::chrono::steady_clock::time_point at;     // its first line read
  std::chrono::steady_clock::time_point endedAt;  // its last line read
};

class ModuleProcess {
 public:
  // Starts the program with the arguments; stderr goes to the given file
  // (or is dropped).
  ModuleProcess(const std::string& program, const std::vector<std::string>& args,
                const std::string& stderrFile = "/dev/null");
  ~ModuleProcess();
  ModuleProcess(const ModuleProcess&) = delete;
  ModuleProcess& operator=(const ModuleProcess&) = delete;

  bool Send(const std::string& bytes);
  // The next reply, nothing when the module closed its output or the time ran out.
  std::optional<Reply> Next(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  // Replies up to and including the first whose line is one of the ends.
  std::vector<Reply> Until(const std::vector<std::string>& ends,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20));
  void CloseInput();
  // Waits for the exit (killing after the timeout); the exit status, or
  // -1 for a signal or a kill.
  int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(10));

 private:
  bool Fill(std::chrono::steady_clock::time_point deadline);
  std::optional<std::string> RawLine(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string buffer_;
  int status_ = -2;
};

// The escaped audio payload back to samples.
std::vector<std::uint8_t> UnescapeAudio(std::string_view escaped);

// The lines of replies with each audio event shown as "705 AUDIO" only
// (the golden form of an exchange).
std::vector<std::string> Lines(const std::vector<Reply>& replies);

std::size_t AudioBytes(const std::vector<Reply>& replies);

}  // namespace lirvan::sd::testing
