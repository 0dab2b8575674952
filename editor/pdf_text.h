#pragma once
// The program's own PDF text extractor: every stream is inflated with zlib
// and the page-description operators are scanned for string literals
// between BT and ET, with TD moves and text-array spacing turned into line
// breaks, TABs and blanks. Strings are written byte for byte (CP1254).
// No Qt, so it can be fuzzed and sanitized alone.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lirvan {

// A stream inflates in growing steps up to this much (against zip bombs);
// what lies beyond is not read.
inline constexpr std::size_t kMaxInflatedStream = 64u << 20;

// Inflates one zlib stream. Empty when the data is not zlib or ends before
// the stream does; a stream larger than the cap gives its first `cap` bytes.
std::optional<std::string> InflateStream(std::string_view compressed,
                                         std::size_t cap = kMaxInflatedStream);

// The scan of decompressed streams. The window of the last 15 bytes goes
// on from stream to stream; the switches start off in every stream.
class PdfTextScanner {
 public:
  PdfTextScanner() { window_.fill(' '); }
  // Appends the text of one decompressed stream to out.
  void ExtractPdfText(std::string& out, std::string_view stream);

 private:
  bool WindowShows(char first, char second) const;
  double NumberEndingAt(int position) const;
  void Shift(char ch);

  std::array<char, 15> window_{};
};

// The text of a whole PDF file held in memory.
std::string ExtractPdfBytes(std::string_view pdf);

struct PdfConversion {
  bool opened = false;      // the PDF could be read
  std::string outputPath;   // the text file written ("" when none could be)
  std::string text;         // what was written to it (CP1254, CR LF)
};

// Writes the text of the PDF at `path` to path + ".txt"; when that cannot
// be created (a folder without write access), to a new file in the
// temporary folder instead.
PdfConversion PdfToText(const std::string& path);

// True when the text holds at least one letter or digit (CP1254).
bool HasReadableText(std::string_view cp1254);

}  // namespace lirvan
