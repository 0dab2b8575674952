#include "sd/ssml.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/cp1254.h"

namespace lirvan::sd {
namespace {

// The entity's text for "&name;" without the & and ;, or false.
bool Entity(std::string_view name, std::string& out) {
  if (name == "amp") out += '&';
  else if (name == "lt") out += '<';
  else if (name == "gt") out += '>';
  else if (name == "quot") out += '"';
  else if (name == "apos") out += '\'';
  else if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return false;
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    AppendUtf8(out, static_cast<char32_t>(code));
  } else {
    return false;
  }
  return true;
}

// The element's name: after '<' or '</', up to a blank, '/' or the end.
std::string_view TagName(std::string_view body) {
  if (!body.empty() && body[0] == '/') body.remove_prefix(1);
  const std::size_t end = body.find_first_of(" \t\r\n/");
  return body.substr(0, end);
}

int StrengthMilliseconds(std::string_view strength) {
  if (strength == "none") return 0;
  if (strength == "x-weak") return 100;
  if (strength == "weak") return 250;
  if (strength == "strong") return 700;
  if (strength == "x-strong") return 1000;
  return 500;  // medium, and a break with nothing said
}

// "250ms", "1.5s", or a strength when no time is given.
int BreakMilliseconds(std::string_view body) {
  const std::string time = SsmlAttribute(body, "time");
  if (time.empty()) return StrengthMilliseconds(SsmlAttribute(body, "strength"));
  const bool ms = time.size() > 2 && time.ends_with("ms");
  const bool s = !ms && time.size() > 1 && time.ends_with("s");
  if (!ms && !s) return StrengthMilliseconds("medium");
  const std::string number = time.substr(0, time.size() - (ms ? 2 : 1));
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value) || value < 0) {
    return StrengthMilliseconds("medium");
  }
  const double millis = ms ? value : value * 1000.0;
  return static_cast<int>(std::min(millis, double{kMaxBreakMilliseconds}));
}

void AddText(std::vector<Piece>& pieces, std::string_view raw) {
  if (raw.empty()) return;
  std::string text = ResolveEntities(raw);
  if (!pieces.empty() && pieces.back().kind == Piece::Kind::Text) {
    pieces.back().text += text;
  } else {
    pieces.push_back({Piece::Kind::Text, std::move(text), 0});
  }
}

void AddTag(std::vector<Piece>& pieces, std::string_view body) {
  const std::string_view name = TagName(body);
  if (body.starts_with('/')) return;
  if (name == "mark") {
    pieces.push_back({Piece::Kind::Mark, SsmlAttribute(body, "name"), 0});
  } else if (name == "break") {
    pieces.push_back({Piece::Kind::Break, {}, BreakMilliseconds(body)});
  }
}

}  // namespace

std::string ResolveEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t semi = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semi != std::string_view::npos && semi - i <= 12 && Entity(text.substr(i + 1, semi - i - 1), out)) {
      i = semi;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string SsmlAttribute(std::string_view body, std::string_view name) {
  for (std::size_t at = body.find(name); at != std::string_view::npos; at = body.find(name, at + 1)) {
    // The name must stand alone, not end another attribute's name.
    if (at == 0 || (body[at - 1] != ' ' && body[at - 1] != '\t' && body[at - 1] != '\n')) continue;
    std::size_t i = at + name.size();
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t')) ++i;
    if (i >= body.size() || body[i] != '=') continue;
    ++i;
    while (i < body.size() && (body[i] == ' ' || body[i] == '\t')) ++i;
    if (i >= body.size() || (body[i] != '"' && body[i] != '\'')) continue;
    const std::size_t close = body.find(body[i], i + 1);
    if (close == std::string_view::npos) return {};
    return ResolveEntities(body.substr(i + 1, close - i - 1));
  }
  return {};
}

std::vector<Piece> WalkSsml(std::string_view ssml) {
  std::vector<Piece> pieces;
  std::size_t i = 0;
  while (i < ssml.size()) {
    const std::size_t open = ssml.find('<', i);
    if (open == std::string_view::npos) break;
    AddText(pieces, ssml.substr(i, open - i));
    if (ssml.substr(open).starts_with("<!--")) {
      const std::size_t end = ssml.find("-->", open + 4);
      i = end == std::string_view::npos ? ssml.size() : end + 3;
      continue;
    }
    const std::size_t close = ssml.find('>', open + 1);
    if (close == std::string_view::npos) {
      // A '<' never closed is text, not a tag that swallows the rest.
      AddText(pieces, ssml.substr(open));
      i = ssml.size();
      break;
    }
    std::string_view body = ssml.substr(open + 1, close - open - 1);
    if (body.ends_with('/')) body.remove_suffix(1);
    if (!body.starts_with('?') && !body.starts_with('!')) AddTag(pieces, body);
    i = close + 1;
  }
  if (i < ssml.size()) AddText(pieces, ssml.substr(i));
  return pieces;
}

}  // namespace lirvan::sd
