#pragma once
// The diagnostic trace sink. Off unless switched on (--trace); the engine's
// trace texts are CP1254 and reach the terminal as UTF-8.
#include <string_view>

namespace lirvan {

void SetTraceEnabled(bool on);
bool TraceEnabled();

// Writes the text exactly as given (no line end added).
void Trace(std::string_view cp1254Text);
// Writes the text followed by a line end.
void TraceLine(std::string_view cp1254Text);

}  // namespace lirvan
