#pragma once
// Reads what the page script returns into plain structures, converting
// every text to CP1254 as it is stored (line breaks made blanks). Anything
// malformed gives an empty result rather than a wrong one.
#include <QString>
#include <optional>
#include <string>

#include "browser/page_snapshot.h"

namespace lirvan {

// The snapshot JSON text: {"g": generation, "c": changes, "h": is HTML,
// "b": has a body, "t": title, "x": body text, "f": forms, "e": [[tag,
// text, name, type, kind, checked, level, parent, uid], ...]}.
std::optional<PageSnapshot> ReadSnapshot(const QString& json);

struct TitleInfo {
  std::string title;  // CP1254, line breaks made blanks
  bool isHtml = false;
};
std::optional<TitleInfo> ReadTitle(const QString& json);

struct FieldInfo {
  bool password = false;
  std::string value;  // CP1254
  int caret = -1;     // in characters of the value; -1 when not known
};
// The focused text field, or nothing when the focus is not in one.
std::optional<FieldInfo> ReadFocusedField(const QString& json);

// The word that ends just before the caret, for the echo of a blank typed
// into a field (the blank itself is passed over if it is already there);
// empty after two blanks.
std::string WordBeforeCaret(const FieldInfo& field);

}  // namespace lirvan
