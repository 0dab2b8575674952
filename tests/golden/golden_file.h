#pragma once
// Golden files: cases of a command-line program written as data, so a case
// is added without touching C++. A file holds free text, then cases:
//
//   @@ case ordinal after a number
//   @@ args            one argument per line
//   --tokens
//   1. madde
//   @@ stdin           lines fed to the program, no line end after the last
//   @@ stdout          the exact output, line by line (none: no output)
//   @@ stderr
//   @@ exit 0          (none: 0)
//   @@ wav out.wav 20  a WAVE file written there, with this many data bytes
//
// Blank lines at the end of a section only separate cases. In arguments
// and expected texts, {voice} stands for the built voice's home, {testvoice}
// for a small voice the test writes and {run} for the folder the program
// runs in.
#include <optional>
#include <string>
#include <vector>

namespace lirvan::test {

struct GoldenCase {
  std::string name{};
  std::vector<std::string> args{};
  std::string input{};
  std::string out{};
  std::string err{};
  int exit = 0;
  std::optional<std::pair<std::string, std::size_t>> wav{};  // file, data bytes
};

struct GoldenFile {
  std::string preamble;  // the free text before the first case
  std::vector<GoldenCase> cases;
};

// Nothing, with the reason in error, for a malformed file.
std::optional<GoldenFile> ParseGolden(const std::string& text, std::string& error);
// The file again, as ParseGolden reads it.
std::string WriteGolden(const GoldenFile& file);

}  // namespace lirvan::test
