// The one command table: key matching, the rows every reader shares, and
// the shape of the menus.
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "shell/command_table.h"
#include "shell/commands.h"

namespace lirvan {
namespace {

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

TEST(AcceleratorTable, KeysAsEventsReportThem) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    std::optional<Command> command;
  };
  const Case cases[] = {
      {Qt::Key_2, kCtrl, Command::OpenEditor},
      {Qt::Key_T, kCtrl, Command::ReadBetweenFinds},  // the first of two rows wins
      {Qt::Key_D, kAlt, Command::DateTime},
      {Qt::Key_D, kCtrl, Command::StopReading},
      {Qt::Key_Backtab, kShift, Command::NothingShiftTab},
      {Qt::Key_Tab, Qt::NoModifier, Command::ReadNext},
      {Qt::Key_Enter, kShift | Qt::KeypadModifier, Command::ChoiceField},
      {Qt::Key_Return, kCtrl | kShift, Command::SkipOptions},
      {Qt::Key_F6, Qt::NoModifier, Command::ModeAll},
      {Qt::Key_Z, kCtrl, Command::Undo},            // the second key of a row
      {Qt::Key_Backspace, kAlt, Command::Undo},
      {Qt::Key_Up, kAlt, Command::RateUp},
      {Qt::Key_F5, kShift, Command::RetakeSnapshot},
      {Qt::Key_A, kCtrl | kShift, std::nullopt},   // modifiers must match exactly
      {Qt::Key_2, kCtrl | Qt::KeypadModifier, std::nullopt},  // a keypad digit is another key
      {Qt::Key_C, kCtrl, std::nullopt},            // copy stays the control's
      {Qt::Key_A, Qt::NoModifier, std::nullopt},
      {Qt::Key_Return, Qt::NoModifier, std::nullopt},
      {Qt::Key_Up, Qt::NoModifier, std::nullopt},  // arrows stay the text field's
      {Qt::Key_Home, Qt::NoModifier, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(CommandForKey(c.key, c.modifiers), c.command);
  }
}

TEST(AcceleratorTable, OnlyCtrlTIsGivenTwice) {
  std::set<std::pair<int, int>> seen;
  int duplicates = 0;
  for (const Accelerator& row : AcceleratorTable()) {
    if (!seen.insert({row.key, row.modifiers.toInt()}).second) {
      ++duplicates;
      EXPECT_EQ(row.command, Command::ReadBetweenWords);
    }
  }
  EXPECT_EQ(duplicates, 1);
}

TEST(AcceleratorTable, TheOriginalFiftyKeysThenTheAdditions) {
  int original = 0;
  for (const Accelerator& row : AcceleratorTable()) {
    const int id = ToInt(row.command);
    if (id < ToInt(Command::RateUp) || id > ToInt(Command::ForwardMail)) ++original;
  }
  EXPECT_EQ(original, 50);
}

TEST(CommandRows, EachCommandHasOneRow) {
  std::set<Command> ids;
  for (const CommandRow& row : CommandRows()) {
    EXPECT_TRUE(ids.insert(row.id).second) << ToInt(row.id);
    EXPECT_EQ(row.menuText.empty(), row.prompt.empty())
        << ToInt(row.id) << ": a menu entry has a prompt, a key-only command none";
  }
  EXPECT_EQ(FindCommand(Command::Find)->prompt, "Ara");
  EXPECT_EQ(FindCommand(static_cast<Command>(1)), nullptr);
}

TEST(Menus, EveryToolHasToolsFirstAndHelpLast) {
  for (MenuId id : kAllMenus) {
    SCOPED_TRACE(static_cast<int>(id));
    const std::vector<MenuPopup> menus = MenuFor(id);
    ASSERT_GE(menus.size(), 2u);
    EXPECT_EQ(menus.front().title, "&Araçlar");
    EXPECT_EQ(menus.back().title, "&Yardım");
    for (const MenuPopup& popup : menus) {
      for (const MenuItem& item : popup.items) {
        if (item.command) {
          EXPECT_FALSE(CommandPrompt(*item.command).empty()) << item.text;
          EXPECT_FALSE(item.text.empty());
        }
      }
    }
  }
}

TEST(Menus, ToolSpecificTexts) {
  const auto reader = MenuFor(MenuId::Reader);
  ASSERT_EQ(reader.size(), 3u);
  EXPECT_EQ(reader[1].items[2].text, "Posta &Oku");
  EXPECT_EQ(reader[1].items[1].text, "Posta A&yarları");
  const auto composer = MenuFor(MenuId::Composer);
  ASSERT_EQ(composer.size(), 4u);
  EXPECT_EQ(composer[1].items[1].text, "Posta &Ayarları");
  EXPECT_EQ(composer[2].title, "&Düzenle");
  EXPECT_EQ(composer[2].items[3].text, "&Metni Oku");
  const auto browser = MenuFor(MenuId::Browser);
  ASSERT_EQ(browser.size(), 6u);
  ASSERT_EQ(browser[3].items.size(), 8u);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(browser[3].items[i].command,
              static_cast<Command>(ToInt(Command::ModeAll) + static_cast<int>(i)));
  }
  EXPECT_EQ(browser[3].items[7].command, Command::ModeHeadings);
  EXPECT_EQ(CommandPrompt(Command::DateTime), "") << "a key-only command has no prompt";
}

}  // namespace
}  // namespace lirvan
