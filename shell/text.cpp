#include "shell/text.h"

#include "frontend/speech_text.h"
#include "platform/cp1254.h"

namespace lirvan {

std::string Cp(std::string_view utf8) { return Utf8ToCp1254(utf8); }

std::string ToCp1254(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCp1254(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

SpeechText Plain(const QString& outside) {
  const QByteArray utf8 = outside.toUtf8();
  return SpeechText::Plain(
      SpeechTextFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

QString FromCp1254(std::string_view cp1254) {
  const std::string utf8 = Cp1254ToUtf8(cp1254);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

char LastCp1254Character(const QString& text) {
  qsizetype length = 1;
  if (text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate()) {
    length = 2;
  }
  const std::string last = ToCp1254(text.right(length));
  return last.empty() ? '?' : last.front();
}

}  // namespace lirvan
