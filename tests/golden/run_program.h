#pragma once
// Runs a real program with arguments, standard input and a working folder,
// and collects what it prints and its exit status.
#include <string>
#include <vector>

namespace lirvan::test {

struct ProgramRun {
  std::string out;
  std::string err;
  int status = -1;  // exit code; -1 when the program did not exit normally
  long peakKiB = 0;  // the program's peak resident memory
};

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::string& input, const std::string& folder);

}  // namespace lirvan::test
