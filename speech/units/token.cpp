#include "speech/units/token.h"

#include <vector>

#include "speech/units/char_class.h"
#include "speech/units/syllabifier.h"

namespace lirvan {
namespace {

// How far back from the longest piece a cut looks for a syllable's start.
constexpr std::size_t kCutSearch = 8;

// The end of the piece that starts at `start`: before a consonant followed
// by a vowel ('...ka-rar...' is cut before the k), else at the limit.
std::size_t PieceEnd(std::string_view s, std::size_t start) {
  const std::size_t limit = start + kLongestSpoken;
  if (limit >= s.size()) return s.size();
  for (std::size_t k = limit; k > limit - kCutSearch; --k) {
    if (k + 1 < s.size() && IsLetter(s[k]) && Syllabifier::IsConsonant(s[k]) &&
        Syllabifier::IsVowel(s[k + 1])) {
      return k;
    }
  }
  return limit;
}

}  // namespace

UnitNode::~UnitNode() {
  std::unique_ptr<UnitNode> rest = std::move(next);
  while (rest) rest = std::move(rest->next);
}

Token::~Token() {
  std::unique_ptr<Token> rest = std::move(next);
  while (rest) rest = std::move(rest->next);
}

std::unique_ptr<Token> MakeToken(std::string_view text) {
  auto token = std::make_unique<Token>();
  token->source.assign(text);
  token->spoken = TurkishLower(text);
  return token;
}

std::unique_ptr<Token> CutLongToken(std::unique_ptr<Token> token) {
  if (token->spoken.size() <= kLongestSpoken) return token;
  const std::string spoken = std::move(token->spoken);
  std::unique_ptr<Token> rest = token->TakeNext();
  // Built from the last piece back, each linking to what follows it.
  std::vector<std::size_t> starts{0};
  while (true) {
    const std::size_t end = PieceEnd(spoken, starts.back());
    if (end >= spoken.size()) break;
    starts.push_back(end);
  }
  std::size_t end = spoken.size();
  for (std::size_t k = starts.size(); k-- > 1;) {
    auto piece = std::make_unique<Token>();
    piece->kind = token->kind;
    piece->spoken = spoken.substr(starts[k], end - starts[k]);
    piece->source = piece->spoken;
    piece->next = std::move(rest);
    rest = std::move(piece);
    end = starts[k];
  }
  token->spoken = spoken.substr(0, end);
  token->next = std::move(rest);
  token->expansion = nullptr;
  return token;
}

}  // namespace lirvan
