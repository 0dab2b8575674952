#include "calculator/evaluator/scanner.h"

#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/number_literal.h"

namespace lirvan::eval {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || u >= 0x80;
}

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 0x20 || u == 0x7F;
}

}  // namespace

Scanner::Scanner(const CompactText& text, const Registrar& registrar)
    : compact_(text), text_(text.Text()), registrar_(registrar), syntax_(registrar.GetSyntax()) {}

Token Scanner::Next() {
  if (at_ >= text_.size()) return Token{Token::Kind::kEnd, at_, {}, {}, 0};
  const char c = text_[at_];
  if (c == '(') return Make(Token::Kind::kOpen, 1);
  if (c == ')') return Make(Token::Kind::kClose, 1);
  if (c == syntax_.argumentSeparator) return Make(Token::Kind::kSeparator, 1);
  if (c == syntax_.variableBegin) return ScanVariable();
  if (c == syntax_.variableEnd) Fail(ParsingError::kUnexpectedVariableEnd, at_);
  if (IsDigit(c) || c == syntax_.decimalPoint) return ScanNumber();
  if (std::size_t length = registrar_.OperatorLengthAt(text_.substr(at_))) {
    return Make(Token::Kind::kOperator, length);
  }
  if (IsNameStart(c)) return ScanName();
  if (IsControl(c)) Fail(ParsingError::kInvalidSyntax, at_);
  // Punctuation that starts no operator ('=' where only '==' exists): an
  // operator written wrongly. The item is the run of such characters.
  std::size_t end = at_ + 1;
  while (end < text_.size()) {
    const char d = text_[end];
    if (IsDigit(d) || IsNameStart(d) || IsControl(d) || IsSyntaxCharacter(syntax_, d) ||
        registrar_.OperatorLengthAt(text_.substr(end)) > 0) {
      break;
    }
    ++end;
  }
  Fail(ParsingError::kInvalidOperatorSyntax, at_, text_.substr(at_, end - at_));
}

std::optional<std::string_view> Scanner::TakeRawArgument() {
  std::size_t close = text_.find(')', at_);
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view raw = text_.substr(at_, close - at_);
  at_ = close + 1;
  return raw;
}

void Scanner::Fail(ParsingError code, std::size_t index, std::string_view item,
                   int argumentCount) const {
  throw ParsingErrors(
      ParsingErrorData{code, compact_.WrittenPosition(index), std::string(item), argumentCount});
}

Token Scanner::ScanNumber() {
  std::size_t length = NumberLiteralLength(text_.substr(at_), syntax_.decimalPoint);
  if (length == 0) Fail(ParsingError::kInvalidSyntax, at_);  // a lone decimal point
  Token token = Make(Token::Kind::kNumber, length);
  token.number = ConvertNumberLiteral(token.text, syntax_.decimalPoint);
  return token;
}

Token Scanner::ScanName() {
  std::size_t end = at_ + 1;
  while (end < text_.size() && (IsNameStart(text_[end]) || IsDigit(text_[end])) &&
         registrar_.OperatorLengthAt(text_.substr(end)) == 0) {
    ++end;
  }
  const bool call = end < text_.size() && text_[end] == '(';
  Token token = Make(call ? Token::Kind::kCall : Token::Kind::kName, end - at_);
  token.name = token.text;
  if (call) ++at_;  // the '(' belongs to the call
  return token;
}

Token Scanner::ScanVariable() {
  const std::size_t begin = at_;
  std::size_t end = begin + 1;
  for (; end < text_.size() && text_[end] != syntax_.variableEnd; ++end) {
    if (text_[end] == syntax_.variableBegin) Fail(ParsingError::kUnexpectedVariableBegin, end);
  }
  if (end >= text_.size()) Fail(ParsingError::kUnexpectedVariableBegin, begin);
  if (end == begin + 1) Fail(ParsingError::kInvalidSyntax, begin);  // "[]" names nothing
  Token token = Make(Token::Kind::kVariable, end + 1 - begin);
  token.name = token.text.substr(1, token.text.size() - 2);
  return token;
}

Token Scanner::Make(Token::Kind kind, std::size_t length) {
  Token token{kind, at_, text_.substr(at_, length), {}, 0};
  at_ += length;
  return token;
}

}  // namespace lirvan::eval
