#include "speech/units/build_units.h"

#include <string>

#include "platform/trace.h"
#include "speech/units/chain.h"
#include "speech/units/letter_sounds.h"
#include "speech/units/letter_units.h"
#include "speech/units/syllabifier.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

// Collects the pieces of one syllable: [p, q) letter ranges, each a node.
class Pieces {
 public:
  Pieces(std::string_view s, const UnitIndex& index) : s_(s), index_(index) {}

  bool Recorded(std::size_t p, std::size_t q) const { return index_.Has(s_.substr(p, q - p)); }
  Pieces& Add(std::size_t p, std::size_t q) {
    Append(std::make_unique<UnitNode>(std::string(s_.substr(p, q - p))));
    return *this;
  }
  void Append(std::unique_ptr<UnitNode> node) { nodes_.Append(std::move(node)); }
  // The first node stays empty when no rule covers the syllable.
  std::unique_ptr<UnitNode> Take() {
    if (nodes_.Empty()) return std::make_unique<UnitNode>();
    return nodes_.Take();
  }

 private:
  std::string_view s_;
  const UnitIndex& index_;
  Chain<UnitNode> nodes_;
};

void TraceShape(const char* title, int state, const char* label, std::string_view s) {
  if (!TraceEnabled()) return;
  TraceLine(title);
  TraceLine("The state: " + std::to_string(state));
  TraceLine(std::string(label) + std::string(s));
}

void SplitFive(Pieces& out, int state) {
  switch (state) {
    case 55:  // xoxxx
      if (out.Recorded(0, 4)) {
        out.Add(0, 4).Add(4, 5);
      } else if (out.Recorded(0, 3)) {
        out.Add(0, 3).Add(3, 4).Add(4, 5);
      } else {
        out.Add(0, 2).Add(2, 3).Add(3, 4).Add(4, 5);
      }
      break;
    case 59:  // xxoxx; the vowel may stand in two neighbouring pieces
      if (out.Recorded(0, 4)) {
        out.Add(0, 4).Add(4, 5);
      } else if (out.Recorded(0, 3)) {
        if (out.Recorded(2, 5)) {
          out.Add(0, 3).Add(2, 5);
        } else {
          out.Add(0, 3).Add(2, 4).Add(4, 5);
        }
      } else if (out.Recorded(1, 5)) {
        out.Add(0, 1).Add(1, 5);
      } else {
        out.Add(0, 1).Add(1, 3).Add(2, 4).Add(4, 5);
      }
      break;
    case 61:  // xxxox
      if (out.Recorded(0, 4)) {
        out.Add(0, 4).Add(4, 5);
      } else if (out.Recorded(1, 5)) {
        out.Add(0, 1).Add(1, 5);
      }
      break;
    default:
      break;
  }
}

void SplitFour(Pieces& out, int state) {
  switch (state) {
    case 23:  // oxxx
      out.Add(0, 2).Add(2, 3).Add(3, 4);
      break;
    case 27:  // xoxx
    case 29:  // xxox
      if (out.Recorded(0, 3)) {
        out.Add(0, 3).Add(3, 4);
      } else if (out.Recorded(1, 4)) {
        out.Add(0, 1).Add(1, 4);
      } else if (state == 27) {
        out.Add(0, 2).Add(2, 3).Add(3, 4);
      } else {
        out.Add(0, 1).Add(1, 3).Add(3, 4);
      }
      break;
    case 30:  // xxxo
      out.Add(0, 1).Add(1, 2).Add(2, 4);
      break;
    default:
      break;
  }
}

}  // namespace

std::unique_ptr<UnitNode> HandleUnknown(std::string_view s, const UnitIndex& unitIndex) {
  if (TraceEnabled()) TraceLine("HandleUnknown " + std::string(s));
  Pieces out(s, unitIndex);
  const int state = PatternState(s);
  switch (s.size()) {
    case 6:
      TraceShape("6 uzunlugunda phonem yok", state, "Syllable: ", s);
      if (state == 119 && out.Recorded(0, 4)) out.Add(0, 4).Add(4, 5).Add(5, 6);
      break;
    case 5:
      TraceShape("5 uzunlugunda phonem yok", state, "Syllable: ", s);
      SplitFive(out, state);
      break;
    case 4:
      TraceShape("4 uzunlugunda phonem yok", state, "Syllable: ", s);
      SplitFour(out, state);
      break;
    case 3:
      TraceShape("3 uzunlugunda phonem yok", state, "Phonem: ", s);
      if (state == 11 || state == 13) {
        out.Add(0, 2).Add(2, 3);
      } else if (state == 14) {
        out.Add(0, 1).Add(1, 3);
      }
      break;
    case 2:
      TraceShape("2 uzunlukta phonem yok!!", state, "Phonem: ", s);
      out.Add(0, 1).Add(1, 2);
      break;
    case 1:
      TraceLine("1 uzunlukta phonem yok!!!!");
      TraceLine("Yandik !!! ");
      out.Append(LetterUnit(s[0]));
      break;
    default:
      break;
  }
  return out.Take();
}

namespace {

bool AllRecorded(const UnitNode* list, const UnitIndex& index) {
  for (; list != nullptr; list = list->next.get()) {
    if (!index.Has(list->name)) return false;
  }
  return true;
}

std::unique_ptr<UnitNode> Mend(std::string_view text, const UnitIndex& index) {
  if (TraceEnabled()) TraceLine("Mend " + std::string(text));
  return CoverWithRecorded(text, index);
}

// The pieces of one syllable. Where the table leaves a piece unrecorded,
// which would silence the whole word, that piece is covered again by
// recorded ones, down to single letters sounded as sounds.
// A token without letters (a sign) keeps what the table gives it.
std::unique_ptr<UnitNode> SyllablePieces(std::string_view syllable, const UnitIndex& index,
                                         bool mend) {
  if (index.Has(syllable)) return std::make_unique<UnitNode>(std::string(syllable));
  auto pieces = HandleUnknown(syllable, index);
  if (!mend || AllRecorded(pieces.get(), index)) return pieces;
  // One node (empty, or a letter's spelled name) stands for the whole syllable.
  if (!pieces->next) return Mend(syllable, index);
  Chain<UnitNode> mended;
  for (auto node = std::move(pieces); node;) {
    auto rest = std::move(node->next);
    if (index.Has(node->name)) {
      mended.Append(std::move(node));
    } else {
      mended.Append(Mend(node->name, index));
    }
    node = std::move(rest);
  }
  return mended.Take();
}

}  // namespace

void BuildUnits(Token& token, const Syllabifier& syllabifier, const UnitIndex& unitIndex) {
  const bool hasLetters = !LetterSounds(token.spoken).empty();
  token.spoken = syllabifier.Syllabify(token.spoken, unitIndex);
  if (TraceEnabled()) TraceLine("content=" + token.spoken);

  Chain<UnitNode> units;
  const std::string_view spoken = token.spoken;
  std::size_t start = 0;
  while (true) {
    const std::size_t dash = spoken.find('-', start);
    const std::string_view syllable =
        spoken.substr(start, dash == std::string_view::npos ? std::string_view::npos : dash - start);
    units.Append(SyllablePieces(syllable, unitIndex, hasLetters));
    if (dash == std::string_view::npos) break;
    start = dash + 1;
  }

  // A token without a single sound keeps the one empty unit: it is silent.
  token.units = units.Take();
  if (!token.units) token.units = std::make_unique<UnitNode>();
  int count = 0;
  for (const UnitNode* n = token.units.get(); n != nullptr; n = n->next.get()) ++count;
  token.unitCount = count;
}

}  // namespace lirvan
