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

// The short words among ExtraUnits(), which the engine says whole.
std::vector<std::string> WholeWordUnits();

// RequiredUnits(), ExtraUnits() and `wholeWords` (further short words to
// record whole, CP1254), without duplicates; names longer than four
// letters among them left out, as no index can hold them.
std::vector<std::string> FullInventory(const std::vector<std::string>& wholeWords = {});

}  // namespace lirvan::voice
