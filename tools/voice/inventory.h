#pragma once
// The units every voice must hold: what syllabification and unit
// selection can ask for in ordinary Turkish text. Names are CP1254.
#include <string>
#include <vector>

namespace lirvan::voice {

// The 35 letters, the letter-unit names, every CV, VC and CVC over the
// alphabet, frequent consonant clusters and whole short words; no
// duplicates, in a fixed order.
std::vector<std::string> RequiredUnits();

// Further units that pay for themselves (clusters, whole short words).
std::vector<std::string> ExtraUnits();

// RequiredUnits() followed by ExtraUnits(), without duplicates.
std::vector<std::string> FullInventory();

}  // namespace lirvan::voice
