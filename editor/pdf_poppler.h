#pragma once
// The text of a PDF as Poppler reads it, for the PDFs made today that draw
// their text with embedded fonts in encodings of their own, where the
// program's own extractor finds nothing readable.
#include <optional>
#include <string>

namespace lirvan {

// UTF-8, a line break between pages; empty when Poppler cannot open it.
std::optional<std::string> PopplerPdfText(const std::string& path);

}  // namespace lirvan
