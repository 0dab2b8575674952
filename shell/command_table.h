#pragma once
// The command table: the prompt of each command, the menus of each tool and
// the one accelerator table. Texts are UTF-8.
#include <Qt>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lirvan {

// The status-bar prompt of a command; empty for a command without one.
std::string_view CommandPrompt(int command);

struct MenuItem {
  int command = 0;  // 0: a separator
  std::string_view text;
};

struct MenuPopup {
  std::string_view title;
  std::vector<MenuItem> items;
};

// The top-level pop-ups of menu 128 (no tool) or of a tool's menu
// (109, 107, 105, 129); an unknown id gives menu 128.
std::vector<MenuPopup> MenuFor(int menuId);

struct Accelerator {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  int command;
};

// The rows in table order; where two rows give the same key the first wins.
std::span<const Accelerator> AcceleratorTable();

// The command a key produces, if it is in the table. The key and modifiers
// are as a key event reports them (Backtab, keypad Enter and keypad digits
// are normalised the way the table means them).
std::optional<int> CommandForKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace lirvan
