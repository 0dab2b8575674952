#pragma once
// hex(...) and bin(...) read the text between their brackets as written.
#include <optional>
#include <string_view>

namespace lirvan::eval {

// Case does not matter; an empty text is 0. Nothing for any other digit.
std::optional<double> ConvertHex(std::string_view text);
std::optional<double> ConvertBin(std::string_view text);

}  // namespace lirvan::eval
