#pragma once
// The unit that stands for a letter said on its own: unit selection falls
// back to it for a one-letter piece the voice does not hold.
#include <memory>

#include "speech/units/unit_node.h"

namespace lirvan {

// An empty name for a byte without one.
std::unique_ptr<UnitNode> LetterUnit(char ch);

}  // namespace lirvan
