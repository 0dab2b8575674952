#include "speech/units/token_format.h"

#include "platform/cp1254.h"

namespace lirvan {

std::string FormatToken(const Token& token) {
  if (token.kind == TokenKind::Rule) {
    const MarkupRule rule = token.rule.value_or(MarkupRule{});
    return "5\t\t\trule " + std::to_string(rule.kind) + " " + std::to_string(rule.value);
  }
  std::string units;
  for (const UnitNode& unit : SpokenUnits(token)) {
    if (!units.empty()) units += ' ';
    units += unit.name;
  }
  return std::to_string(static_cast<int>(token.kind)) + "\t" + Cp1254ToUtf8(token.spoken) + "\t" +
         Cp1254ToUtf8(token.source) + "\t" + Cp1254ToUtf8(units);
}

}  // namespace lirvan
