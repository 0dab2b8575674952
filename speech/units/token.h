#pragma once
// The record that flows from the front end through the queue to the
// synthesizer. Text fields are CP1254 bytes.
#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "speech/units/unit_node.h"

namespace lirvan {

enum class TokenKind : int {
  Expansion = 0,
  Cardinal = 1,
  Ordinal = 2,
  Word = 3,
  Symbol = 4,
  Rule = 5,
};

// The longest spoken text one token carries. A longer word is read in
// pieces of at most this many bytes, so the sound of a token never grows
// with the text (real Turkish words are well under it).
inline constexpr std::size_t kLongestSpoken = 100;

// A markup change carried by a Rule token: the stack kind (1 for a break)
// and its value.
struct MarkupRule {
  int kind = 0;
  int value = 0;
  bool valid = true;
};

struct Token {
  TokenKind kind = TokenKind::Expansion;
  std::string spoken;  // lower-cased text, later replaced by expansions
  std::string source;  // text as cut from the input, case kept
  std::unique_ptr<UnitNode> units = std::make_unique<UnitNode>();
  std::optional<MarkupRule> rule;  // set on Rule tokens only
  int unitCount = 0;
  std::unique_ptr<Token> next;  // rest of the chain this token heads
  Token* previous = nullptr;    // back link, not owning
  Token* expansion = nullptr;   // head of an expansion chain, not owning

  Token() = default;
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;
  // Destroys the chain behind it iteratively.
  ~Token();

  // Detaches and returns the rest of the chain.
  std::unique_ptr<Token> TakeNext() { return std::move(next); }
};

// The units a token speaks: the first unitCount nodes of its list.
//   for (const UnitNode& unit : SpokenUnits(token)) ...
class SpokenUnits {
 public:
  class Iterator {
   public:
    using difference_type = std::ptrdiff_t;
    using value_type = UnitNode;
    Iterator() = default;
    Iterator(const UnitNode* node, int left) : node_(node), left_(left) {}
    const UnitNode& operator*() const { return *node_; }
    Iterator& operator++() {
      node_ = node_->next.get();
      --left_;
      return *this;
    }
    void operator++(int) { ++*this; }
    bool operator==(std::default_sentinel_t) const { return node_ == nullptr || left_ <= 0; }

   private:
    const UnitNode* node_ = nullptr;
    int left_ = 0;
  };

  explicit SpokenUnits(const Token& token) : token_(token) {}
  Iterator begin() const { return {token_.units.get(), token_.unitCount}; }
  std::default_sentinel_t end() const { return {}; }

 private:
  const Token& token_;
};

// Cuts a token whose spoken text is longer than kLongestSpoken into a chain
// of tokens of the same kind, each at most that long; the cuts fall before
// a consonant that opens a syllable where one is near. The first piece
// keeps the source text. A shorter token comes back as it was.
std::unique_ptr<Token> CutLongToken(std::unique_ptr<Token> token);

// A token made from a text: source = text, spoken = the text lowered the
// Turkish way, kind 0, links null, one empty unit node.
std::unique_ptr<Token> MakeToken(std::string_view text);

}  // namespace lirvan
