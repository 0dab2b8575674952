// Golden readings: every file in tests/frontend/golden/ holds sentences and
// the words a listener must hear for them, with punctuation reading on and
// off, run through the front end with the shipped lexicons. A file reads:
//
//   # comment
//   > 08.12.2026 tarihinde.         the text (UTF-8)
//   + sekiz aralık ... nokta        heard with punctuation reading on
//   - sekiz aralık ... tarihinde    heard with it off
//   = ...                           heard alike either way
//
// With LIRVAN_UPDATE_GOLDEN=1 the files are rewritten with what was heard
// (check the difference before committing it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/speech_text.h"
#include "tests/frontend/front_end_harness.h"

namespace lirvan::test {
namespace {

namespace fs = std::filesystem;

struct Reading {
  std::string text;
  std::string on;
  std::string off;
  int line = 0;
};

struct GoldenReadings {
  std::vector<std::string> lines;  // the file, kept for rewriting
  std::vector<Reading> cases;
};

// Nothing, with the reason in error, when the file is malformed.
std::optional<GoldenReadings> Parse(std::istream& in, std::string& error) {
  GoldenReadings file;
  for (std::string line; std::getline(in, line);) {
    file.lines.push_back(line);
    const int number = static_cast<int>(file.lines.size());
    if (line.empty() || line[0] == '#') continue;
    if (line.size() < 2 || line[1] != ' ' || std::string_view("><+-=").find(line[0]) == std::string_view::npos) {
      error = "line " + std::to_string(number) + ": expected '> ', '= ', '+ ' or '- '";
      return std::nullopt;
    }
    const std::string body = line.substr(2);
    if (line[0] == '>') {
      file.cases.push_back({body, {}, {}, number});
      continue;
    }
    if (file.cases.empty()) {
      error = "line " + std::to_string(number) + ": words before any text";
      return std::nullopt;
    }
    Reading& c = file.cases.back();
    if (line[0] != '-') c.on = body;
    if (line[0] != '+') c.off = body;
  }
  return file;
}

// The words heard, joined by blanks: spoken texts without their syllable
// marks, a rule token as "<kural>".
std::string Heard(const std::string& utf8, bool punctuation) {
  CollectingSink sink;
  auto frontEnd = FrontEndIn(LIRVAN_SOURCE_DIR, sink, EmptyIndex());
  frontEnd->SetReadPunctuation(punctuation);
  frontEnd->SetText(SpeechTextFromUtf8(utf8));
  frontEnd->Run();
  std::string words;
  for (const auto& token : sink.tokens) {
    std::string word = token->kind == TokenKind::Rule ? "<kural>" : Cp1254ToUtf8(token->spoken);
    std::erase(word, '-');
    if (!words.empty()) words += ' ';
    words += word;
  }
  return words;
}

void Rewrite(const fs::path& path, const GoldenReadings& file, const std::vector<Reading>& heard) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::size_t next = 0;
  for (std::size_t k = 0; k < file.lines.size(); ++k) {
    const std::string& line = file.lines[k];
    if (!line.empty() && std::string_view("+-=").find(line[0]) != std::string_view::npos) continue;
    out << line << '\n';
    if (!line.empty() && line[0] == '>') {
      const Reading& h = heard[next++];
      if (h.on == h.off) {
        out << "= " << h.on << '\n';
      } else {
        out << "+ " << h.on << "\n- " << h.off << '\n';
      }
    }
  }
}

std::vector<fs::path> GoldenFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(LIRVAN_SOURCE_DIR) / "tests/frontend/golden")) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(GoldenReadings, EverySentenceIsHeardAsTheFilesSay) {
  const std::vector<fs::path> files = GoldenFiles();
  ASSERT_FALSE(files.empty());
  const bool update = std::getenv("LIRVAN_UPDATE_GOLDEN") != nullptr;
  for (const fs::path& path : files) {
    std::ifstream in(path, std::ios::binary);
    std::string error;
    const auto file = Parse(in, error);
    ASSERT_TRUE(file) << path << ": " << error;
    EXPECT_FALSE(file->cases.empty()) << path;
    std::vector<Reading> heard;
    for (const Reading& c : file->cases) {
      SCOPED_TRACE(path.filename().string() + ":" + std::to_string(c.line) + ": " + c.text);
      heard.push_back({c.text, Heard(c.text, true), Heard(c.text, false), c.line});
      EXPECT_EQ(heard.back().on, c.on) << "with punctuation reading on";
      EXPECT_EQ(heard.back().off, c.off) << "with punctuation reading off";
    }
    if (update) Rewrite(path, *file, heard);
  }
}

TEST(GoldenReadings, MalformedFilesAreReported) {
  const char* bad[] = {"= words before any text\n", "> text\n* what is this\n", ">no blank\n"};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    std::istringstream in(text);
    std::string error;
    EXPECT_FALSE(Parse(in, error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace lirvan::test
