#include "speech/units/token.h"

#include "speech/units/char_class.h"

namespace lirvan {

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

}  // namespace lirvan
