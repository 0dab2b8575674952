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

// What the calculator says when an expression cannot be evaluated.
inline constexpr std::string_view kUndefinedOperationUtf8 = "Tanımsız bir işlem girildi";

}  // namespace lirvan::eval
