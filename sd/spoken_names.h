#pragma once
// What CHAR, KEY and the spelling mode say: characters by their Turkish
// names, keys by their Turkish names, as UTF-8 text for the speaker.
#include <string>
#include <string_view>

#include "sd/settings.h"

namespace lirvan::sd {

// The name of each character of the text, one after another; a capital is
// said as "büyük" and its letter when capitals are recognised.
std::string SpelledText(std::string_view utf8, CapLetters caps);

// A key name as SSIP gives it ("a", "shift_a", "kp-enter",
// "control_alt_delete"); a name not known is said as written.
std::string KeyText(std::string_view keyName, CapLetters caps);

}  // namespace lirvan::sd
