#include "mail/mime_header.h"

#include <map>

#include "mail/mime_text.h"

namespace lirvan {

namespace {

bool IsFoldBlank(char ch) { return ch == ' ' || ch == '\t'; }

QByteArrayView TrimLineEnd(QByteArrayView line) {
  while (!line.isEmpty() && (line.back() == '\r' || line.back() == '\n')) line.chop(1);
  return line;
}

// One "name=value" or "name="quoted value"" starting at pos; pos moves past it.
std::pair<QByteArray, QByteArray> NextParameter(QByteArrayView raw, qsizetype& pos) {
  while (pos < raw.size() && (raw[pos] == ';' || IsFoldBlank(raw[pos]))) ++pos;
  const qsizetype nameStart = pos;
  while (pos < raw.size() && raw[pos] != '=' && raw[pos] != ';') ++pos;
  QByteArray name = raw.sliced(nameStart, pos - nameStart).trimmed().toByteArray().toLower();
  if (pos >= raw.size() || raw[pos] != '=') return {name, {}};
  ++pos;
  while (pos < raw.size() && IsFoldBlank(raw[pos])) ++pos;
  QByteArray value;
  if (pos < raw.size() && raw[pos] == '"') {
    for (++pos; pos < raw.size() && raw[pos] != '"'; ++pos) {
      if (raw[pos] == '\\' && pos + 1 < raw.size()) ++pos;
      value.append(raw[pos]);
    }
    if (pos < raw.size()) ++pos;
    while (pos < raw.size() && raw[pos] != ';') ++pos;
  } else {
    const qsizetype start = pos;
    while (pos < raw.size() && raw[pos] != ';') ++pos;
    value = raw.sliced(start, pos - start).trimmed().toByteArray();
  }
  return {name, value};
}

// RFC 2231 pieces of one parameter: "name*0*", "name*1", or "name*".
struct Piece {
  QByteArray value;
  bool extended = false;
};

}  // namespace

Entity SplitEntity(QByteArrayView text) {
  if (text.startsWith("\r\n")) return {{}, text.sliced(2)};
  if (text.startsWith("\n")) return {{}, text.sliced(1)};
  for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) {
    qsizetype next = at + 1;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') return {text.first(at + 1), text.sliced(next + 1)};
    if (next == text.size()) break;
  }
  return {text, {}};
}

HeaderBlock::HeaderBlock(QByteArrayView header) {
  qsizetype pos = 0;
  while (pos < header.size()) {
    qsizetype end = header.indexOf('\n', pos);
    if (end < 0) end = header.size();
    const QByteArrayView line = TrimLineEnd(header.sliced(pos, end - pos));
    pos = end + 1;
    if (line.isEmpty()) continue;
    if (IsFoldBlank(line.front())) {
      if (!fields_.empty()) fields_.back().second += line.toByteArray();
      continue;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    fields_.emplace_back(line.first(colon).trimmed().toByteArray().toLower(),
                         line.sliced(colon + 1).toByteArray());
  }
  for (auto& field : fields_) field.second = field.second.trimmed();
}

QByteArray HeaderBlock::Value(QByteArrayView lowerName) const {
  for (const auto& [name, value] : fields_) {
    if (name == lowerName) return value;
  }
  return {};
}

bool HeaderBlock::Has(QByteArrayView lowerName) const {
  for (const auto& field : fields_) {
    if (field.first == lowerName) return true;
  }
  return false;
}

HeaderParameters ParseParameters(QByteArrayView raw) {
  HeaderParameters out;
  qsizetype pos = raw.indexOf(';');
  if (pos < 0) pos = raw.size();
  out.value = raw.first(pos).trimmed().toByteArray().toLower();
  std::map<QByteArray, std::map<int, Piece>> pieces;
  while (pos < raw.size()) {
    auto [name, value] = NextParameter(raw, pos);
    if (name.isEmpty()) continue;
    Piece piece{value, name.endsWith('*')};
    if (piece.extended) name.chop(1);
    int index = 0;
    if (const qsizetype star = name.indexOf('*'); star > 0) {
      bool ok = false;
      index = name.sliced(star + 1).toInt(&ok);
      if (!ok) continue;
      name.truncate(star);
    }
    pieces[name].emplace(index, piece);
  }
  for (const auto& [name, parts] : pieces) {
    const bool extended = parts.begin()->second.extended;
    if (!extended) {
      QByteArray joined;
      for (const auto& [index, piece] : parts) joined += piece.value;
      // Many mailers put encoded words into quoted parameters.
      out.params.insert(name, DecodeHeaderText(joined));
      continue;
    }
    // Later extended pieces carry only percent escapes, no charset.
    QByteArray joined;
    for (const auto& [index, piece] : parts) joined += piece.value;
    out.params.insert(name, DecodeExtendedValue(joined));
  }
  return out;
}

}  // namespace lirvan
