#include "tests/golden/golden_file.h"

#include <sstream>

namespace lirvan::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

void DropTrailingBlanks(std::vector<std::string>& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
}

// Puts the lines gathered for a section into the case.
bool Store(GoldenCase& c, const std::string& section, std::vector<std::string>& lines,
           std::string& error) {
  DropTrailingBlanks(lines);
  if (section == "args") {
    c.args = lines;
  } else if (section == "stdin") {
    c.input = Joined(lines);
    if (!c.input.empty()) c.input.pop_back();  // no line end after the last line
  } else if (section == "stdout") {
    c.out = Joined(lines);
  } else if (section == "stderr") {
    c.err = Joined(lines);
  } else if (!lines.empty()) {
    error = "case '" + c.name + "': text after @@ " + section;
    return false;
  }
  lines.clear();
  return true;
}

// The one-line sections: case, exit, wav.
bool Header(GoldenFile& file, const std::string& key, const std::string& value, std::string& error) {
  if (key == "case") {
    file.cases.push_back(GoldenCase{.name = value});
    return true;
  }
  if (file.cases.empty()) {
    error = "@@ " + key + " before the first @@ case";
    return false;
  }
  GoldenCase& c = file.cases.back();
  std::istringstream in(value);
  if (key == "exit" && in >> c.exit) return true;
  std::string path;
  std::size_t bytes = 0;
  if (key == "wav" && in >> path >> bytes) {
    c.wav = std::make_pair(path, bytes);
    return true;
  }
  if (key == "args" || key == "stdin" || key == "stdout" || key == "stderr") return true;
  error = "case '" + c.name + "': cannot read '@@ " + key + " " + value + "'";
  return false;
}

}  // namespace

std::optional<GoldenFile> ParseGolden(const std::string& text, std::string& error) {
  GoldenFile file;
  std::string section = "preamble";
  std::vector<std::string> lines;
  for (const std::string& line : Lines(text)) {
    if (line.rfind("@@ ", 0) != 0) {
      lines.push_back(line);
      continue;
    }
    if (file.cases.empty()) {
      file.preamble = Joined(lines);
      lines.clear();
    } else if (!Store(file.cases.back(), section, lines, error)) {
      return std::nullopt;
    }
    const std::string rest = line.substr(3);
    const std::size_t blank = rest.find(' ');
    section = rest.substr(0, blank);
    if (!Header(file, section, blank == std::string::npos ? "" : rest.substr(blank + 1), error)) {
      return std::nullopt;
    }
  }
  if (file.cases.empty()) {
    error = "no @@ case";
    return std::nullopt;
  }
  if (!Store(file.cases.back(), section, lines, error)) return std::nullopt;
  return file;
}

std::string WriteGolden(const GoldenFile& file) {
  std::string text = file.preamble;
  for (const GoldenCase& c : file.cases) {
    text += "@@ case " + c.name + "\n@@ args\n" + Joined(c.args);
    if (!c.input.empty()) text += "@@ stdin\n" + c.input + "\n";
    if (!c.out.empty()) text += "@@ stdout\n" + c.out;
    if (!c.err.empty()) text += "@@ stderr\n" + c.err;
    if (c.exit != 0) text += "@@ exit " + std::to_string(c.exit) + "\n";
    if (c.wav) text += "@@ wav " + c.wav->first + " " + std::to_string(c.wav->second) + "\n";
    text += "\n";
  }
  return text;
}

}  // namespace lirvan::test
