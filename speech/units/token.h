#pragma once
// The record that flows from the front end through the queue to the
// synthesizer. Text fields are CP1254 bytes.
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
  UnitNode syllables;  // unused head node, kept for the record's layout
  std::unique_ptr<UnitNode> units = std::make_unique<UnitNode>();
  std::optional<MarkupRule> rule;  // set on Rule tokens only
  int reserved = 0;
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

// A token made from a text: source = text, spoken = the text lowered the
// Turkish way, kind 0, links null, one empty unit node.
std::unique_ptr<Token> MakeToken(std::string_view text);

}  // namespace lirvan
