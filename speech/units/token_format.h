#pragma once
// A token as one line of text, the form `lirvan-say --tokens` prints and
// the golden tables compare (UTF-8, no line end):
//   3<TAB>mer-ha-ba<TAB>Merhaba<TAB>mer ha ba   KIND SPOKEN SOURCE UNITS
//   5<TAB><TAB><TAB>rule 4 1                    a rule token: its stack kind and value
#include <string>

#include "speech/units/token.h"

namespace lirvan {

std::string FormatToken(const Token& token);

}  // namespace lirvan
