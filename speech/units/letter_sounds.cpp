#include "speech/units/letter_sounds.h"

#include <array>
#include <limits>
#include <vector>

#include "platform/cp1254.h"
#include "speech/units/char_class.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

// Bytes that are not Turkish letters but are read as some (UTF-8 here;
// each one byte of the code page, which has no ð, þ or ý).
struct Sound {
  std::string_view from;
  std::string_view to;
};
constexpr Sound kSounds[] = {
    {"w", "v"},   {"q", "k"},   {"x", "ks"},  {"à", "a"},  {"á", "a"},  {"ã", "a"},
    {"ä", "a"},   {"å", "a"},   {"æ", "e"},   {"è", "e"},  {"é", "e"},  {"ê", "e"},
    {"ë", "e"},   {"ì", "i"},   {"í", "i"},   {"ï", "i"},  {"ñ", "n"},  {"ò", "o"},
    {"ó", "o"},   {"ô", "o"},   {"õ", "o"},   {"ø", "ö"},  {"ù", "u"},  {"ú", "u"},
    {"ÿ", "y"},   {"ß", "s"},   {"œ", "ö"},  {"š", "ş"},  {"ž", "j"},
    {"µ", "m"},   {"0", "sıfır"}, {"1", "bir"}, {"2", "iki"},
    {"3", "üç"},  {"4", "dört"}, {"5", "beş"}, {"6", "altı"}, {"7", "yedi"}, {"8", "sekiz"},
    {"9", "dokuz"},
};

std::array<std::string, 256> BuildSounds() {
  std::array<std::string, 256> sounds;
  for (unsigned i = 0; i < 256; ++i) {
    const char c = static_cast<char>(i);
    if (IsLetter(c) && TurkishLower(c) == c) sounds[i] = std::string(1, c);
  }
  for (const auto& [from, to] : kSounds) {
    const std::string byte = Utf8ToCp1254(from);
    sounds[static_cast<unsigned char>(byte.front())] = Utf8ToCp1254(to);
  }
  // Upper-case letters sound as their lower-case ones.
  for (unsigned i = 0; i < 256; ++i) {
    const auto lower = static_cast<unsigned char>(TurkishLower(static_cast<char>(i)));
    if (sounds[i].empty() && lower != i) sounds[i] = sounds[lower];
  }
  return sounds;
}

}  // namespace

std::string_view LetterSound(char byte) {
  static const std::array<std::string, 256> sounds = BuildSounds();
  return sounds[static_cast<unsigned char>(byte)];
}

std::string LetterSounds(std::string_view text) {
  std::string out;
  for (char c : text) out.append(LetterSound(c));
  return out;
}

std::unique_ptr<UnitNode> CoverWithRecorded(std::string_view text, const UnitIndex& index) {
  const std::string s = LetterSounds(text);
  const std::size_t n = s.size();
  constexpr int kNever = std::numeric_limits<int>::max() / 2;
  // cost[i]: fewest pieces covering s[i, n); a letter left out costs more
  // than any piece, so leaving out happens only when nothing holds it.
  std::vector<int> cost(n + 1, kNever);
  std::vector<std::size_t> step(n + 1, 0);
  cost[n] = 0;
  for (std::size_t i = n; i-- > 0;) {
    cost[i] = cost[i + 1] + 1000;  // leave the letter out
    step[i] = 0;
    for (std::size_t len = std::min<std::size_t>(4, n - i); len >= 1; --len) {
      if (cost[i + len] + 1 < cost[i] && index.Has(std::string_view(s).substr(i, len))) {
        cost[i] = cost[i + len] + 1;
        step[i] = len;
      }
    }
  }
  std::unique_ptr<UnitNode> head;
  UnitNode* tail = nullptr;
  for (std::size_t i = 0; i < n;) {
    if (step[i] == 0) {
      ++i;
      continue;
    }
    auto node = std::make_unique<UnitNode>(s.substr(i, step[i]));
    UnitNode* raw = node.get();
    (tail == nullptr ? head : tail->next) = std::move(node);
    tail = raw;
    i += step[i];
  }
  return head;
}

}  // namespace lirvan
