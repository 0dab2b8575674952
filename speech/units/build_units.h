#pragma once
#include <memory>
#include <string_view>

#include "speech/units/token.h"

namespace lirvan {

class Syllabifier;
class UnitIndex;

// Replaces token.spoken by its syllabified form and fills its unit list.
void BuildUnits(Token& token, const Syllabifier& syllabifier, const UnitIndex& unitIndex);

// Recorded pieces for one syllable the database does not hold whole; never
// an empty list (an unknown shape yields one node with an empty name).
std::unique_ptr<UnitNode> HandleUnknown(std::string_view syllable, const UnitIndex& unitIndex);

}  // namespace lirvan
