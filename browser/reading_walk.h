#pragma once
// The reading modes: a table of modes over one "next element" routine on
// the page snapshot. Each press of the read-next key examines elements from
// the cursor on until one yields something, and leaves the cursor after it.
#include <optional>
#include <span>
#include <string_view>

#include "browser/page_snapshot.h"
#include "browser/walk_events.h"
#include "shell/commands.h"

namespace lirvan {

enum class ReadingMode : int {
  All = 0,
  Tables = 1,
  Cells = 2,
  Sections = 3,
  Links = 4,
  Forms = 5,
  Smart = 6,
  Headings = 7,  // beyond the original six: each heading with its level
};

struct ModeRow {
  Command command;
  ReadingMode mode;
  std::string_view sentence;  // UTF-8, said when the mode is chosen
};

std::span<const ModeRow> ReadingModes();
const ModeRow* ModeForCommand(Command command);

// The page's reading state; every navigation resets it.
struct ReadingState {
  int m_nReadingMode = 0;
  int m_nCursor = 0;  // the next element to examine
  bool m_bSkipOptions = false;
  bool m_bChoiceFieldHeld = false;
  int m_nChoiceField = -1;  // the check box or radio button read last
  // The selection list whose option was read last: Enter commits the choice.
  int m_nPendingList = -1;
  // The piece read last was the page's last element: the next press says so
  // before starting again at the top.
  bool m_bAtEnd = false;
};

// Chooses a mode: cursor back to the first element, the mode's sentence.
WalkEvents SetReadingMode(ReadingState& state, ReadingMode mode);

// One press of the read-next key on a loaded page.
WalkEvents ReadNext(const PageSnapshot& snapshot, ReadingState& state);

// Keeps the reading position (and the held and pending fields) on the same
// elements in a newer snapshot of the same document; where the element read
// last is gone, the cursor goes to the first later element that is left.
void CarryOver(const PageSnapshot& older, const PageSnapshot& newer, ReadingState& state);

// What a link is called: its text, else its text alternative.
std::string LinkText(const PageElement& element);

}  // namespace lirvan
