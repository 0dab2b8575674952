#pragma once
// The program's script in the page. It runs in an isolated world of its
// own, so the page's scripts can neither see nor change it. It keeps, per
// document, each snapshot's element list (a handle is a generation and an
// index in it) and counts the changes the page makes to itself.
#include <QString>
#include <cstdint>

namespace lirvan {

// The world the script runs in (the page's own is 0).
inline constexpr std::uint32_t kLirvanWorld = 1;

enum class ElementAction {
  Focus,         // "ok"
  SelectText,    // "ok"
  SelectOption,  // "ok"
  Toggle,        // "on" or "off": the new state of a check box or radio button
  Commit,        // "ok": the page hears that a selection list changed
};

// Each call returns a JSON text; every call installs the script first in a
// document that does not have it yet.
QString TitleCall();     // {"t": title, "h": is HTML}
QString SnapshotCall();  // the snapshot, see snapshot_reader.h
// "ok", "on", "off"; "stale" for another generation, "gone" for an element
// no longer in the document.
QString ActionCall(std::uint32_t generation, int index, ElementAction action);
QString PollCall();          // [changes, milliseconds since the last one]
QString FocusedFieldCall();  // null, or {"k": 1 text / 2 password, "v": value, "s": caret}

}  // namespace lirvan
