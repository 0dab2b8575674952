#pragma once
// Text at the edge between Qt (UTF-16) and the tools' CP1254 strings.
#include <QString>
#include <string>
#include <string_view>

#include "shell/speech_text.h"

namespace lirvan {

// A UTF-8 literal of the source as CP1254, for the quoted Turkish messages.
std::string Cp(std::string_view utf8);

std::string ToCp1254(const QString& text);

// Text from outside the program, to be spoken: a character outside the
// code page is named or described rather than read as "soru işareti".
SpeechText Plain(const QString& outside);
QString FromCp1254(std::string_view cp1254);

// The last character of a non-empty text as one CP1254 byte ('?' when the
// code page has none).
char LastCp1254Character(const QString& text);

}  // namespace lirvan
