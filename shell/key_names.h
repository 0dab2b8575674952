#pragma once
// A key of the command table as a Turkish listener hears it ("Kontrol F",
// "Alt yukarı ok", "F 5") and as a sighted helper reads it ("Ctrl+F").
// UTF-8.
#include <string>

#include "shell/command_table.h"

namespace lirvan {

std::string SpokenKeyName(const KeyChord& chord);
std::string ShownKeyName(const KeyChord& chord);

// The first key of the command's row, spoken; empty when it has none.
std::string SpokenKeyOf(Command command);

}  // namespace lirvan
