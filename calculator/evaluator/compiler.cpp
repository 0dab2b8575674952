#include "calculator/evaluator/compiler.h"

#include <limits>
#include <memory>
#include <vector>

#include "calculator/evaluator/compact_text.h"
#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/scanner.h"

namespace lirvan::eval {
namespace {

// One entry of the operator stack.
struct Pending {
  enum class Kind { kOperator, kGroup, kCall };
  Kind kind = Kind::kOperator;
  std::size_t position = 0;  // operator, '(' of a group, or function name
  const std::shared_ptr<const OperatorDefinition>* op = nullptr;  // in the registrar
  std::string_view name;     // kCall
  std::size_t open = 0;      // kCall: its '('
  int arguments = 0;         // kCall: arguments completed so far
};

// What the previous token was, to tell apart the ways an operand can be
// missing ("2+", "f(1;)", "()").
enum class Last { kStart, kOperator, kOpen, kSeparator, kOperand };

class CompilerState {
 public:
  CompilerState(const CompactText& text, const Registrar& registrar)
      : text_(text), scanner_(text, registrar), registrar_(registrar) {
    // Every instruction and every pending entry stems from at least one
    // character, so neither grows past the text: no reallocation on the way.
    program_.Reserve(text.Text().size());
    stack_.reserve(text.Text().size());
  }

  CompiledExpression Run() {
    for (Token token = scanner_.Next(); token.kind != Token::Kind::kEnd; token = scanner_.Next()) {
      Take(token);
    }
    Finish();
    return std::move(program_);
  }

 private:
  void Take(const Token& token) {
    switch (token.kind) {
      case Token::Kind::kNumber:
        BeginOperand(token);
        program_.PushNumber(token.number);
        break;
      case Token::Kind::kName:
      case Token::Kind::kVariable:
        BeginOperand(token);
        PushValue(token);
        break;
      case Token::Kind::kCall: TakeCall(token); break;
      case Token::Kind::kOpen:
        BeginOperand(token);
        Open({Pending::Kind::kGroup, token.begin, nullptr, {}, token.begin, 0});
        break;
      case Token::Kind::kOperator: TakeOperator(token); break;
      case Token::Kind::kSeparator: TakeSeparator(token); break;
      case Token::Kind::kClose: TakeClose(token); break;
      case Token::Kind::kEnd: break;
    }
  }

  // Refuses an operand, a call or '(' where an operator was due. A plain
  // operand is complete at once; calls and brackets end at their ')'.
  void BeginOperand(const Token& token) {
    if (!expectOperand_) scanner_.Fail(ParsingError::kMissingOperator, token.begin, token.text);
    if (token.kind != Token::Kind::kOpen && token.kind != Token::Kind::kCall) EndOperand();
  }

  void EndOperand() {
    expectOperand_ = false;
    last_ = Last::kOperand;
  }

  void PushValue(const Token& token) {
    if (auto constant = registrar_.FindConstant(token.name)) {
      program_.PushNumber(*constant);
    } else if (auto cell = registrar_.FindVariable(token.name)) {
      program_.PushVariable(**cell);
      program_.Retain(*cell);
    } else {
      scanner_.Fail(ParsingError::kUndefinedVariable, token.begin, token.name);
    }
  }

  void TakeCall(const Token& token) {
    BeginOperand(token);
    const std::size_t open = token.begin + token.text.size();
    if (auto conversion = registrar_.FindConversion(token.name)) {
      auto raw = scanner_.TakeRawArgument();
      if (!raw) scanner_.Fail(ParsingError::kMissingClosingBracket, open);
      auto value = (*conversion)->convert(*raw);
      if (!value) scanner_.Fail(ParsingError::kConversionFailed, token.begin, token.name);
      program_.PushNumber(*value);
      EndOperand();
      return;
    }
    if (!registrar_.IsFunction(token.name)) {
      scanner_.Fail(ParsingError::kUndefinedFunction, token.begin, token.name);
    }
    Open({Pending::Kind::kCall, token.begin, nullptr, token.name, open, 0});
  }

  void Open(Pending bracket) {
    brackets_.push_back(stack_.size());
    stack_.push_back(bracket);
    expectOperand_ = true;
    last_ = Last::kOpen;
    lastPosition_ = bracket.kind == Pending::Kind::kCall ? bracket.open : bracket.position;
  }

  void TakeOperator(const Token& token) {
    const bool unary = expectOperand_;
    auto op = registrar_.FindOperator(token.text, unary);
    if (!op) scanner_.Fail(ParsingError::kUnexpectedOperator, token.begin);
    if (!unary) {
      // Equal precedence applies left to right.
      while (!stack_.empty() && stack_.back().kind == Pending::Kind::kOperator &&
             (*stack_.back().op)->precedence >= (*op)->precedence) {
        EmitTop();
      }
    }
    stack_.push_back({Pending::Kind::kOperator, token.begin, op, {}, 0, 0});
    expectOperand_ = true;
    last_ = Last::kOperator;
    lastPosition_ = token.begin;
  }

  void TakeSeparator(const Token& token) {
    if (brackets_.empty() || stack_[brackets_.back()].kind != Pending::Kind::kCall) {
      scanner_.Fail(ParsingError::kSeparatorOutsideFunction, token.begin);
    }
    if (expectOperand_) MissingOperand(token.begin, true);
    CloseArgument();
    expectOperand_ = true;
    last_ = Last::kSeparator;
    lastPosition_ = token.begin;
  }

  void TakeClose(const Token& token) {
    if (brackets_.empty()) scanner_.Fail(ParsingError::kMissingOpeningBracket, token.begin);
    Pending& bracket = stack_[brackets_.back()];
    const bool emptyCall = bracket.kind == Pending::Kind::kCall && last_ == Last::kOpen;
    if (expectOperand_ && !emptyCall) MissingOperand(token.begin, false);
    if (!emptyCall) CloseArgument();
    Pending closed = stack_.back();
    stack_.pop_back();
    brackets_.pop_back();
    if (closed.kind == Pending::Kind::kCall) EmitCall(closed);
    EndOperand();
  }

  // The operand that should stand before the token at `at` is missing. Of
  // two separators in a row the second is the wrong one; before ')' the
  // separator is.
  [[noreturn]] void MissingOperand(std::size_t at, bool atSeparator) {
    switch (last_) {
      case Last::kOperator: scanner_.Fail(ParsingError::kUnexpectedOperator, lastPosition_);
      case Last::kSeparator:
        scanner_.Fail(ParsingError::kInvalidSeparator, atSeparator ? at : lastPosition_);
      case Last::kOpen:
        if (stack_[brackets_.back()].kind == Pending::Kind::kCall) {
          scanner_.Fail(ParsingError::kInvalidSeparator, at);  // "f(;1)"
        }
        scanner_.Fail(ParsingError::kInvalidSyntax, at);       // "()"
      case Last::kStart:
      case Last::kOperand: break;
    }
    scanner_.Fail(ParsingError::kInternal, at);
  }

  // Moves the operators of the argument or group just ended to the program.
  void CloseArgument() {
    while (stack_.back().kind == Pending::Kind::kOperator) EmitTop();
    Pending& bracket = stack_.back();
    if (bracket.kind == Pending::Kind::kCall) ++bracket.arguments;
  }

  void EmitTop() {
    const Pending& top = stack_.back();
    const auto& op = *top.op;
    program_.PushCall(op->evaluate, op->unary ? 1 : 2, Written(top.position));
    program_.Retain(op);
    stack_.pop_back();
  }

  void EmitCall(const Pending& call) {
    auto function = registrar_.FindFunction(call.name, call.arguments);
    if (!function) {
      scanner_.Fail(ParsingError::kNoOverload, call.position, call.name, call.arguments);
    }
    program_.PushCall((*function)->evaluate, call.arguments, Written(call.position));
    program_.Retain(*function);
  }

  void Finish() {
    if (!brackets_.empty()) {
      const Pending& bracket = stack_[brackets_.back()];
      scanner_.Fail(ParsingError::kMissingClosingBracket,
                    bracket.kind == Pending::Kind::kCall ? bracket.open : bracket.position);
    }
    if (expectOperand_) MissingOperand(lastPosition_, false);
    while (!stack_.empty()) EmitTop();
  }

  std::size_t Written(std::size_t index) const { return text_.WrittenPosition(index); }

  const CompactText& text_;
  Scanner scanner_;
  const Registrar& registrar_;
  CompiledExpression program_;
  std::vector<Pending> stack_;
  std::vector<std::size_t> brackets_;  // indices of the open brackets in stack_
  bool expectOperand_ = true;
  Last last_ = Last::kStart;
  std::size_t lastPosition_ = 0;
};

}  // namespace

CompiledExpression Compile(std::string_view expression, const Registrar& registrar) {
  const CompactText text(expression);
  if (text.Empty()) {
    CompiledExpression nothing;
    nothing.PushNumber(std::numeric_limits<double>::quiet_NaN());
    return nothing;
  }
  return CompilerState(text, registrar).Run();
}

}  // namespace lirvan::eval
