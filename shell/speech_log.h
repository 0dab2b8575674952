#pragma once
// The speech log: one line "OPERATION<TAB>TEXT" in UTF-8 per call of the
// speak family, flushed at once, so a sighted helper or a test can read
// what was said. CR and LF that reach the log (only SpeakVerbatim and
// SpeakCharacter pass them on) are written as \r and \n to keep one line
// per call.
#include <fstream>
#include <string>
#include <string_view>

namespace lirvan {

class SpeechLog {
 public:
  SpeechLog() = default;  // writes nothing
  // False from IsOpen when the file cannot be opened for appending.
  explicit SpeechLog(const std::string& path);

  bool IsOpen() const { return out_.is_open(); }
  void Write(std::string_view operation, std::string_view cp1254Text);

 private:
  std::ofstream out_;
};

}  // namespace lirvan
