#include "speech/units/syllabifier.h"

#include <array>
#include <string>

#include "platform/trace.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

constexpr std::array<bool, 256> BuildVowels() {
  std::array<bool, 256> v{};
  for (unsigned char c : {0x61, 0x65, 0x69, 0x6F, 0x75, 0xE2, 0xEE, 0xF6, 0xFB, 0xFC, 0xFD,
                          0x41, 0x45, 0x49, 0x4F, 0x55, 0xC2, 0xCE, 0xD6, 0xDB, 0xDC, 0xDD}) {
    v[c] = true;
  }
  return v;
}
constexpr std::array<bool, 256> kVowels = BuildVowels();

// One cell of the state machine: cut the first `cut` pending letters into a
// syllable (0: none), then the letter joins the pending ones; or fail.
struct Step {
  int cut = 0;
  bool fail = false;
};
constexpr Step Shift{0, false};
constexpr Step Fail{0, true};
constexpr Step Cut(int k) { return Step{k, false}; }

struct Row {
  std::string_view state;
  Step vowel;
  Step consonant;
  bool endCutsAll;  // false: the word ends in a state that cannot close
};

// Pending letters as o (vowel) and x (consonant).
constexpr Row kMachine[] = {
    {"o", Cut(1), Shift, true},          {"x", Shift, Shift, false},
    {"ox", Cut(1), Shift, true},         {"xo", Cut(2), Shift, true},
    {"xx", Shift, Shift, false},         {"oxx", Cut(2), Shift, true},
    {"xox", Cut(2), Shift, true},        {"xxo", Cut(3), Shift, true},
    {"xxx", Shift, Fail, false},         {"oxxx", Cut(3), Shift, true},
    {"xoxx", Cut(3), Shift, true},       {"xxox", Cut(3), Shift, true},
    {"xxxo", Cut(4), Shift, true},       {"oxxxx", Cut(3), Fail, true},
    {"xoxxx", Cut(4), Cut(4), true},     {"xxoxx", Cut(4), Shift, true},
    {"xxxox", Cut(4), Cut(5), true},     {"xxoxxx", Cut(5), Fail, true},
};

const Row* FindRow(std::string_view state) {
  for (const Row& row : kMachine) {
    if (row.state == state) return &row;
  }
  return nullptr;
}

void AppendLetterName(std::string& out, char c) {
  if (Syllabifier::IsVowel(c)) {
    out += c;
    return;
  }
  switch (c) {
    case 'w': out += "dub-l\xFC-ve"; return;  // dub-lü-ve
    case 'q': out += "k\xFB"; return;         // kû
    case 'x': out += "iks"; return;
    case 'k': out += "ka"; return;
    default: out += c; out += 'e';
  }
}

std::string SpellLetters(std::string_view word) {
  std::string out;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (i > 0) out += '-';
    AppendLetterName(out, word[i]);
  }
  return out;
}

// Runs the machine; false on fail.
bool RunMachine(std::string_view word, std::string& out) {
  std::string state;
  std::size_t pendingStart = 0;
  auto cut = [&](std::size_t k) {
    if (!out.empty()) out += '-';
    out.append(word.substr(pendingStart, k));
    pendingStart += k;
    state.erase(0, k);
  };
  for (std::size_t i = 0; i < word.size(); ++i) {
    const bool vowel = Syllabifier::IsVowel(word[i]);
    if (!state.empty()) {
      const Row* row = FindRow(state);
      if (row == nullptr) return false;
      const Step step = vowel ? row->vowel : row->consonant;
      if (step.fail) return false;
      if (step.cut > 0) cut(static_cast<std::size_t>(step.cut));
    }
    state += vowel ? 'o' : 'x';
  }
  const Row* row = FindRow(state);
  if (row == nullptr || !row->endCutsAll) return false;
  cut(state.size());
  return true;
}

}  // namespace

bool Syllabifier::IsVowel(char c) { return kVowels[static_cast<unsigned char>(c)]; }

int Syllabifier::VowelCount(std::string_view s) {
  int n = 0;
  for (char c : s) n += IsVowel(c) ? 1 : 0;
  return n;
}

int PatternState(std::string_view syllable) {
  int state = 1;
  for (char c : syllable) state = state * 2 + (Syllabifier::IsConsonant(c) ? 1 : 0);
  return state;
}

std::string Syllabifier::Syllabify(std::string_view word, const UnitIndex& unitIndex) const {
  if (TraceEnabled()) {
    std::string format;
    for (char c : word) format += IsVowel(c) ? 'O' : 'X';
    TraceLine("");
    TraceLine("Format: " + format);
  }
  std::string result;
  if (word.size() > 1 && word.size() < 5 && unitIndex.Has(word)) {
    result.assign(word);
  } else if (!word.empty() && !RunMachine(word, result)) {
    TraceLine("HATA");
    result = SpellLetters(word);
  }
  if (TraceEnabled()) TraceLine("Syllables: " + result);
  return result;
}

}  // namespace lirvan
