#pragma once
// Cuts a blank-free expression into tokens: numbers, names, function calls
// (a name directly followed by '('), bracketed variables, operators,
// brackets and argument separators.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/evaluator/compact_text.h"
#include "calculator/evaluator/errors.h"
#include "calculator/evaluator/registrar.h"

namespace lirvan::eval {

struct Token {
  enum class Kind { kEnd, kNumber, kName, kCall, kVariable, kOperator, kOpen, kClose, kSeparator };
  Kind kind = Kind::kEnd;
  std::size_t begin = 0;   // index in the compact text
  std::string_view text;   // the token as written; for kVariable with its delimiters
  std::string_view name;   // kName, kCall, kVariable: the bare name
  double number = 0;       // kNumber
};

class Scanner {
 public:
  Scanner(const CompactText& text, const Registrar& registrar);

  // Throws ParsingErrors for characters that form no token.
  Token Next();
  // Right after a kCall token: the raw text up to the next ')', which is
  // consumed too; nothing when there is no ')'.
  std::optional<std::string_view> TakeRawArgument();

  // Throws ParsingErrors with the written position of a compact index.
  [[noreturn]] void Fail(ParsingError code, std::size_t index, std::string_view item = {},
                         int argumentCount = 0) const;

 private:
  Token ScanNumber();
  Token ScanName();
  Token ScanVariable();
  Token Make(Token::Kind kind, std::size_t length);

  const CompactText& compact_;
  std::string_view text_;
  const Registrar& registrar_;
  const Syntax& syntax_;
  std::size_t at_ = 0;
};

}  // namespace lirvan::eval
