#include "calculator/evaluator/builtins.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "calculator/evaluator/conversions.h"

namespace lirvan::eval {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Truth(bool value) { return value ? 1.0 : 0.0; }

void Binary(Registrar& r, const char* symbol, const char* description, int precedence,
            double (*f)(double, double)) {
  r.DefineOperator({symbol, std::string("x ") + symbol + " y", description, precedence, false,
                    [f](Arguments a) { return f(a[0], a[1]); }});
}

void Unary(Registrar& r, const char* symbol, const char* description, int precedence,
           double (*f)(double)) {
  r.DefineOperator({symbol, std::string(symbol) + "x", description, precedence, true,
                    [f](Arguments a) { return f(a[0]); }});
}

void DefineOperators(Registrar& r) {
  Binary(r, "+", "Addition operator", 1, [](double x, double y) { return x + y; });
  Binary(r, "-", "Minus operator", 1, [](double x, double y) { return x - y; });
  Unary(r, "-", "Unary minus operator", 4, [](double x) { return -x; });
  Binary(r, "*", "Multiplication operator", 2, [](double x, double y) { return x * y; });
  Binary(r, "/", "Division operator", 2, [](double x, double y) { return x / y; });
  Binary(r, "^", "Calculates x raised to the power of y", 3,
         [](double x, double y) { return std::pow(x, y); });
  Binary(r, "%", "Modulo; find remainder of the division of x by y", 2,
         [](double x, double y) { return std::fmod(x, y); });
  Binary(r, ">", "Greater than logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x > y); });
  Binary(r, "<", "Lesser than logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x < y); });
  Binary(r, ">=", "Greater than or equal logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x >= y); });
  Binary(r, "<=", "Lesser than or equal logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x <= y); });
  Binary(r, "!=", "Not equal logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x != y); });
  Binary(r, "==", "Equal logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x == y); });
  Binary(r, "&", "And logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x != 0 && y != 0); });
  Binary(r, "|", "Or logical operator.  Returns 1 if true, 0 if false.", 0,
         [](double x, double y) { return Truth(x != 0 || y != 0); });
  // The help text promises 1 for a non-zero x as well; not of a true value
  // is false, as with the other logical operators.
  Unary(r, "!", "Not logical operator. Returns 1 if x is 0, else returns 1", 2,
        [](double x) { return Truth(x == 0); });
}

void Function(Registrar& r, const char* symbol, std::string help, const char* description,
              int arguments, Routine routine) {
  r.DefineFunction({symbol, std::move(help), description, arguments, true, std::move(routine)});
}

void Math(Registrar& r, const char* symbol, const char* description, double (*f)(double)) {
  Function(r, symbol, std::string(symbol) + "(x)", description, 1,
           [f](Arguments a) { return f(a[0]); });
}

// An empty set has no smallest or largest value.
double Smallest(Arguments a) { return a.empty() ? kNaN : *std::ranges::min_element(a); }
double Largest(Arguments a) { return a.empty() ? kNaN : *std::ranges::max_element(a); }
double Sum(Arguments a) { return std::accumulate(a.begin(), a.end(), 0.0); }

// Formed in doubles, so the product is exact as far as a double holds it;
// the loop ends once it overflows, so a huge argument cannot hang.
double Factorial(double x) {
  if (std::isnan(x)) return kNaN;
  const double n = std::trunc(x);
  if (n < 0) return 0;
  double product = 1;
  for (double k = 2; k <= n && !std::isinf(product); ++k) product *= k;
  return product;
}

void DefineFunctions(Registrar& r, const std::shared_ptr<RandomSource>& random) {
  Math(r, "sin", "Sine", [](double x) { return std::sin(x); });
  Math(r, "asin", "Arcsine", [](double x) { return std::asin(x); });
  Math(r, "sinh", "Hyperbolic sine", [](double x) { return std::sinh(x); });
  Math(r, "cos", "Cosine", [](double x) { return std::cos(x); });
  Math(r, "acos", "Arccosine", [](double x) { return std::acos(x); });
  Math(r, "cosh", "Hyperbolic cosine", [](double x) { return std::cosh(x); });
  Math(r, "tan", "Tangent", [](double x) { return std::tan(x); });
  Math(r, "tanh", "Hyperbolic tangent", [](double x) { return std::tanh(x); });
  Math(r, "atan", "Arctangent", [](double x) { return std::atan(x); });
  Math(r, "sqrt", "Square root", [](double x) { return std::sqrt(x); });
  Function(r, "min", "min(x,y)", "Returns smaller of two values", 2, Smallest);
  Function(r, "min", "min(x,y,z)", "Returns smaller of three values", 3, Smallest);
  Function(r, "min", "min(v1,v2,v3,...)", "Returns smaller of a set of values",
           kAnyArgumentCount, Smallest);
  Function(r, "max", "max(x,y)", "Returns larger of two values", 2, Largest);
  Function(r, "max", "max(x,y,z)", "Returns larger of three values", 3, Largest);
  Function(r, "max", "max(v1,v2,v3,...)", "Returns larger of a set of values",
           kAnyArgumentCount, Largest);
  Math(r, "abs", "Absolute value", [](double x) { return std::abs(x); });
  r.DefineFunction({"rand", "rand()", "Random value between 0 and 1", 0, false,
                    [random](Arguments) { return random->Next() / 32767.0; }});
  r.DefineFunction({"rand", "rand(min, max)", "Random value between min and max", 2, false,
                    [random](Arguments a) {
                      return a[0] + (random->Next() / 32767.0) * (a[1] - a[0]);
                    }});
  Math(r, "log", "Natural logarithm", [](double x) { return std::log(x); });
  Math(r, "log10", "Base-10 logarithm", [](double x) { return std::log10(x); });
  Math(r, "ceil", "Ceiling", [](double x) { return std::ceil(x); });
  Math(r, "floor", "Floor", [](double x) { return std::floor(x); });
  Function(r, "avg", "avg(v1,v2,v3,...)", "Returns the average of a set of values",
           kAnyArgumentCount, [](Arguments a) { return Sum(a) / static_cast<double>(a.size()); });
  Function(r, "sum", "sum(v1,v2,v3,...)", "Returns the sum of a set of values",
           kAnyArgumentCount, Sum);
  Function(r, "fact", "fact(x)", "Returns the factorial of x: x*(x-1)*(x-2)*...(x-x+1)", 1,
           [](Arguments a) { return Factorial(a[0]); });
  Function(r, "if", "if(condition, val1, val2)",
           "If the condition is true, returns val1 else returns val2.", 3,
           [](Arguments a) { return a[0] != 0 ? a[1] : a[2]; });
  Function(r, "isNaN", "isNan(value)", "Returns 1 if the number is a NaN value.", 1,
           [](Arguments a) { return Truth(std::isnan(a[0])); });
}

void DefineConversions(Registrar& r) {
  r.DefineConversion({"hex", "hex(hexNumber)",
                      "Converts an hexadecimal number to a decimal number", ConvertHex});
  r.DefineConversion({"bin", "bin(binNumber)", "Converts a binary number to a decimal number",
                      ConvertBin});
}

}  // namespace

void DefineBuiltins(Registrar& registrar, std::shared_ptr<RandomSource> random) {
  DefineOperators(registrar);
  DefineFunctions(registrar, random);
  DefineConversions(registrar);
  registrar.DefineConstant("NaN", kNaN);
}

}  // namespace lirvan::eval
