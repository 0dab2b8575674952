#pragma once
// The one command table: each command's menu text, status-bar prompt and
// keys in one row. Menus, the accelerator table, the status bar and the
// spoken menu tips all read these rows. Texts are UTF-8.
#include <Qt>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "shell/commands.h"

namespace lirvan {

struct KeyChord {
  Qt::Key key = Qt::Key_unknown;  // Key_unknown: no key
  Qt::KeyboardModifiers modifiers{};
};

struct CommandRow {
  Command id;
  std::string_view menuText;  // with its & marker; empty for a key-only command
  std::string_view prompt;    // empty for a command without one
  KeyChord key{};
  KeyChord secondKey{};
};

// Every row; where two rows give the same key the earlier one wins.
std::span<const CommandRow> CommandRows();
const CommandRow* FindCommand(Command id);

// The status-bar prompt of a command; empty for a command without one.
std::string_view CommandPrompt(Command command);

struct MenuItem {
  std::optional<Command> command;  // empty: a separator
  std::string_view text;
};

struct MenuPopup {
  std::string_view title;
  std::vector<MenuItem> items;
};

// The top-level pop-ups of a menu, in order.
std::vector<MenuPopup> MenuFor(MenuId menu);
inline constexpr MenuId kAllMenus[] = {MenuId::Main, MenuId::Editor, MenuId::Reader,
                                       MenuId::Composer, MenuId::Browser};

struct Accelerator {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  Command command;
};

// The keys of the rows in row order, each row's first key before its second.
std::span<const Accelerator> AcceleratorTable();

// The command a key produces, if it is in the table. The key and modifiers
// are as a key event reports them (Backtab, keypad Enter and keypad digits
// are normalised the way the table means them).
std::optional<Command> CommandForKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace lirvan
