#pragma once
// Names of symbols, characters and letters.
#include <memory>

#include "speech/units/token.h"

namespace lirvan {

// When the spoken text is a named symbol: spoken = first word of the name,
// further words appended as new tokens after it.
void NameSymbol(Token& token);

// The chain of tokens that names one character (for character echo).
std::unique_ptr<Token> NameCharacter(char ch);

}  // namespace lirvan
