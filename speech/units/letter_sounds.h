#pragma once
// The last resort of unit selection: any text covered by recorded pieces,
// down to single letters sounded as sounds, so that no word with letters
// in it is ever silent.
#include <memory>
#include <string>
#include <string_view>

#include "speech/units/unit_node.h"

namespace lirvan {

class UnitIndex;

// The Turkish letters a byte sounds as: a letter of the alphabet itself,
// w as v, q as k, x as ks, a foreign letter as its nearest Turkish letter
// (é as e, ß as s, ñ as n), a digit as its number word; a sign sounds as
// nothing. CP1254.
std::string_view LetterSound(char byte);
std::string LetterSounds(std::string_view text);

// The fewest recorded pieces (one to four letters each) that cover the
// sounds of `text`, left to right; a letter that the voice does not hold
// even on its own is left out. Null when nothing could be covered.
std::unique_ptr<UnitNode> CoverWithRecorded(std::string_view text, const UnitIndex& index);

}  // namespace lirvan
