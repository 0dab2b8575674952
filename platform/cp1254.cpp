#include "platform/cp1254.h"

#include <array>

namespace lirvan {
namespace {

// 0x80..0x9F; unassigned bytes keep their C1 value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

constexpr std::array<char32_t, 256> BuildTable() {
  std::array<char32_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) table[i] = i;
  for (unsigned i = 0; i < 32; ++i) table[0x80 + i] = kHigh[i];
  table[0xD0] = 0x011E;  // Ğ
  table[0xDD] = 0x0130;  // İ
  table[0xDE] = 0x015E;  // Ş
  table[0xF0] = 0x011F;  // ğ
  table[0xFD] = 0x0131;  // ı
  table[0xFE] = 0x015F;  // ş
  return table;
}

constexpr std::array<char32_t, 256> kTable = BuildTable();

// Decodes one UTF-8 sequence at in[i]; advances i. Returns U+FFFD on error.
char32_t DecodeOne(std::string_view in, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(in[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0xFFFD;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= in.size()) return 0xFFFD;
    const auto next = static_cast<unsigned char>(in[i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;  // leave the byte for the next round
    cp = (cp << 6) | (next & 0x3F);
    ++i;
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t Cp1254ToUnicode(unsigned char byte) { return kTable[byte]; }

unsigned char UnicodeToCp1254(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
  for (unsigned i = 0x80; i < 256; ++i) {
    if (kTable[i] == codePoint) return static_cast<unsigned char>(i);
  }
  return '?';
}

std::string Cp1254ToUtf8(std::string_view cp1254) {
  std::string out;
  out.reserve(cp1254.size() * 2);
  for (char c : cp1254) AppendUtf8(out, kTable[static_cast<unsigned char>(c)]);
  return out;
}

std::string Utf8ToCp1254(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    out += static_cast<char>(UnicodeToCp1254(DecodeOne(utf8, i)));
  }
  return out;
}

std::string Utf8ToCp1254(std::string_view utf8,
                         const std::function<std::string(char32_t)>& outside) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = DecodeOne(utf8, i);
    const unsigned char byte = UnicodeToCp1254(cp);
    if (byte == '?' && cp != U'?') {
      out += outside(cp);
    } else {
      out += static_cast<char>(byte);
    }
  }
  return out;
}

}  // namespace lirvan
