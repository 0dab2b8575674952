#pragma once
// UTF-8 text made ready for the speech front end. Characters of the code
// page are kept; one outside it is folded to the letter a Turkish reader
// says for it ('ł' as 'l', 'ő' as 'ö'), named ('→' as "sağ ok", '₺' as
// "lira", 'α' as "alfa") or described ("Kiril yazısı" for a run of
// Cyrillic letters), never turned into '?' and read as "soru işareti".
#include <string>
#include <string_view>

namespace lirvan {

// The CP1254 text to speak for a UTF-8 text.
std::string SpeechTextFromUtf8(std::string_view utf8);

// What one character outside CP1254 becomes: a CP1254 letter, a sign,
// words between blanks, or nothing (zero-width and combining marks).
std::string OutsideCharacter(char32_t codePoint);

}  // namespace lirvan
