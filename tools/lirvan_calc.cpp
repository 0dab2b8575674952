// lirvan-calc EXPR...: evaluates the expression in the calculator's syntax
// and prints what the calculator window shows after Enter. Several
// arguments are joined with blanks, which the evaluator ignores, so
// `lirvan-calc 2 + 3` works unquoted. Output is UTF-8.
//
// Exit status: 0 with the result; 1 when the expression cannot be
// evaluated (the calculator's sentence on standard output, the evaluator's
// message on standard error); 2 for a missing expression.
#include <cstdio>
#include <exception>
#include <string>

#include "calculator/evaluator/eval_exception.h"
#include "calculator/evaluator/expression_parser.h"
#include "calculator/evaluator/result_format.h"

namespace {

void PrintLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintLine(stderr, "usage: lirvan-calc EXPRESSION");
    return 2;
  }
  std::string expression = argv[1];
  for (int i = 2; i < argc; ++i) expression.append(" ").append(argv[i]);

  std::string failure;
  try {
    lirvan::eval::ExpressionParser parser;
    const std::string result = lirvan::eval::FormatCalculatorResult(parser.Evaluate(expression));
    PrintLine(stdout, result);
    return std::fflush(stdout) == 0 ? 0 : 1;
  } catch (const std::exception& error) {
    // The window answers every failure alike; only the tool says why.
    failure = error.what();
  }
  PrintLine(stdout, lirvan::eval::kUndefinedOperationUtf8);
  std::fflush(stdout);  // keep the two lines in order on a shared terminal
  PrintLine(stderr, failure);
  return 1;
}
