#include "shell/speech_log.h"

#include "platform/cp1254.h"

namespace lirvan {

SpeechLog::SpeechLog(const std::string& path) : out_(path, std::ios::app | std::ios::binary) {}

void SpeechLog::Write(std::string_view operation, std::string_view cp1254Text) {
  if (!out_.is_open()) return;
  std::string line(operation);
  line += '\t';
  for (const char ch : Cp1254ToUtf8(cp1254Text)) {
    if (ch == '\n') {
      line += "\\n";
    } else if (ch == '\r') {
      line += "\\r";
    } else {
      line += ch;
    }
  }
  line += '\n';
  out_ << line;
  out_.flush();
}

}  // namespace lirvan
