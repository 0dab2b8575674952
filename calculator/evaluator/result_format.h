#pragma once
// How the calculator shows a result, shared by its window and lirvan-calc.
// The texts are UTF-8.
#include <string>
#include <string_view>

namespace lirvan::eval {

// "%g" with at most six significant digits and ',' as the decimal
// separator, whatever the process locale: 4.5 -> "4,5", 1e6 -> "1e+06",
// infinity -> "inf", NaN -> "nan" ("-nan" when its sign bit is set).
std::string FormatCalculatorResult(double value);

// What the calculator says for a result, as text for the speech front end:
// the shown form where it reads well ("4,5", "-2" as "eksi 2"), Turkish
// words where the shown form would be read letter by letter: "tanımsız"
// for NaN, "sonsuz" and "eksi sonsuz", and an exponent form as its value
// ("1e+06" as "1000000", "2,4329e+18" as "2,4329 çarpı 10 üzeri 18").
std::string SpokenCalculatorResult(double value);

// What the calculator says when an expression cannot be evaluated.
inline constexpr std::string_view kUndefinedOperationUtf8 = "Tanımsız bir işlem girildi";

}  // namespace lirvan::eval
