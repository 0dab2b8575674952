#pragma once
// Runs texts through the front end into a collecting sink and writes what
// came out one line per token, exactly as lirvan-say --tokens prints it
// (FormatToken). Expected lines are written shorter, with '|' between the
// fields they check: "KIND|spoken|source" for a word, number or symbol
// token ("KIND|spoken" leaves the source unchecked; the units are not
// checked), "rule KIND VALUE" for a rule. The spoken text is written as the
// front end hands it to unit selection; the harness syllabifies it the way
// BuildUnits does before comparing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/text_front_end.h"
#include "platform/cp1254.h"
#include "speech/units/syllabifier.h"
#include "speech/units/token.h"
#include "speech/units/token_format.h"
#include "speech/units/token_sink.h"
#include "speech/units/unit_index.h"

namespace lirvan::test {

class CollectingSink : public TokenSink {
 public:
  // Refuses the token with this number (1-based) and every one after it.
  explicit CollectingSink(std::size_t refuseFrom = 0) : refuseFrom_(refuseFrom) {}

  bool Put(std::unique_ptr<Token> token) override {
    ++puts;
    if (refuseFrom_ != 0 && puts >= refuseFrom_) return false;
    tokens.push_back(std::move(token));
    return true;
  }

  std::vector<std::unique_ptr<Token>> tokens;
  std::size_t puts = 0;

 private:
  std::size_t refuseFrom_;
};

inline const UnitIndex& EmptyIndex() {
  static const UnitIndex index;
  return index;
}

inline std::string Describe(const Token& token) { return FormatToken(token); }

inline std::vector<std::string> Describe(const CollectingSink& sink) {
  std::vector<std::string> lines;
  for (const auto& token : sink.tokens) lines.push_back(Describe(*token));
  return lines;
}

// A front end built in dir: it loads its lexicons from dir/veriler/.
inline std::unique_ptr<TextFrontEnd> FrontEndIn(const std::filesystem::path& dir,
                                                TokenSink& sink, const UnitIndex& index) {
  return std::make_unique<TextFrontEnd>(sink, index, dir);
}

// A front end with empty lexicons, whatever the working directory holds,
// so that golden tables do not change with the shipped data.
inline std::unique_ptr<TextFrontEnd> BareFrontEnd(TokenSink& sink,
                                                  const UnitIndex& index = EmptyIndex()) {
  const std::filesystem::path empty = std::filesystem::temp_directory_path() /
                                      ("lirvan-bare-" + std::to_string(::getpid()));
  std::filesystem::create_directories(empty);
  auto frontEnd = FrontEndIn(empty, sink, index);
  std::filesystem::remove_all(empty);
  return frontEnd;
}

// Runs one UTF-8 text through a fresh front end.
inline std::vector<std::string> Speak(std::string_view utf8, bool punctuation = true) {
  CollectingSink sink;
  auto frontEnd = BareFrontEnd(sink);
  frontEnd->SetReadPunctuation(punctuation);
  frontEnd->SetText(Utf8ToCp1254(utf8));
  frontEnd->Run();
  return Describe(sink);
}

// The expected line with its spoken text syllabified as BuildUnits does.
inline std::string Syllabified(const std::string& expected) {
  if (expected.rfind("rule", 0) == 0) return expected;
  const std::size_t first = expected.find('|');
  const std::size_t second = expected.find('|', first + 1);
  std::string spoken = expected.substr(first + 1, second == std::string::npos
                                                       ? std::string::npos
                                                       : second - first - 1);
  spoken = Cp1254ToUtf8(Syllabifier().Syllabify(Utf8ToCp1254(spoken), EmptyIndex()));
  std::string out = expected.substr(0, first + 1) + spoken;
  if (second != std::string::npos) out += expected.substr(second);
  return out;
}

// The expected line in the printed form, as far as it goes: '|' becomes a
// tab; a rule line gets the empty fields of a rule token.
inline std::string Printed(const std::string& expected) {
  std::string line = Syllabified(expected);
  if (line.rfind("rule", 0) == 0) return "5\t\t\t" + line;
  std::replace(line.begin(), line.end(), '|', '\t');
  return line + '\t';
}

// A rule line compares whole; any other line its first fields.
inline bool LineMatches(const std::string& got, const std::string& expected) {
  const std::string want = Printed(expected);
  if (expected.rfind("rule", 0) == 0) return got == want;
  return got.rfind(want, 0) == 0;
}

inline ::testing::AssertionResult Matches(const std::vector<std::string>& got,
                                          const std::vector<std::string>& expected) {
  bool same = got.size() == expected.size();
  for (std::size_t i = 0; same && i < got.size(); ++i) same = LineMatches(got[i], expected[i]);
  if (same) return ::testing::AssertionSuccess();
  auto join = [](const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += "\n    " + line;
    return out;
  };
  std::vector<std::string> want;
  for (const auto& line : expected) want.push_back(Printed(line) + "...");
  return ::testing::AssertionFailure() << "got:" << join(got) << "\n  expected:" << join(want);
}

struct GoldenCase {
  const char* input;  // UTF-8
  std::vector<std::string> tokens;
};

}  // namespace lirvan::test
