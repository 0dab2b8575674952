#include "editor/words.h"

#include <algorithm>

namespace lirvan {

namespace {

bool Separates(char ch) { return ch == ' ' || ch == '\n'; }

}  // namespace

std::string GetWordBefore(const CharacterSource& text, int pos) {
  if (pos >= text.Length()) pos = text.Length() - 1;
  if (pos < 0) return {};
  while (pos >= 0 && Separates(text.At(pos))) --pos;
  if (pos < 0) return {};
  int start = pos;
  while (start > 0 && !Separates(text.At(start - 1))) --start;
  std::string word;
  word.reserve(static_cast<std::size_t>(pos - start + 1));
  for (int i = start; i <= pos; ++i) word += text.At(i);
  return word;
}

std::string GetWordAt(const CharacterSource& text, int pos) {
  if (pos < 0 || pos >= text.Length() || Separates(text.At(pos))) return {};
  int start = pos;
  while (start > 0 && !Separates(text.At(start - 1))) --start;
  int end = pos;
  while (end + 1 < text.Length() && !Separates(text.At(end + 1))) ++end;
  std::string word;
  word.reserve(static_cast<std::size_t>(end - start + 1));
  for (int i = start; i <= end; ++i) word += text.At(i);
  return word;
}

bool IsTurkishSpace(char ch) {
  switch (static_cast<unsigned char>(ch)) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0xA0:  // no-break space
      return true;
    default:
      return false;
  }
}

std::string LinesAsBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += ' ';
      ++i;
    } else {
      out += text[i] == '\n' ? ' ' : text[i];
    }
  }
  return out;
}

}  // namespace lirvan
