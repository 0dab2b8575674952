// The accelerator table's key matching and the shape of the menus.
#include <gtest/gtest.h>
#include <set>

#include "shell/command_ids.h"
#include "shell/command_table.h"

namespace lirvan {
namespace {

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

TEST(AcceleratorTable, KeysAsEventsReportThem) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    std::optional<int> command;
  };
  const Case cases[] = {
      {Qt::Key_2, kCtrl, cmd::kOpenEditor},
      {Qt::Key_T, kCtrl, cmd::kReadBetweenFinds},  // the first of two rows wins
      {Qt::Key_D, Qt::AltModifier, cmd::kDateTime},
      {Qt::Key_D, kCtrl, cmd::kStopReading},
      {Qt::Key_Backtab, kShift, cmd::kNothingShiftTab},
      {Qt::Key_Tab, Qt::NoModifier, cmd::kReadNext},
      {Qt::Key_Enter, kShift | Qt::KeypadModifier, cmd::kChoiceField},
      {Qt::Key_Return, kCtrl | kShift, cmd::kSkipOptions},
      {Qt::Key_F6, Qt::NoModifier, cmd::kModeAll},
      {Qt::Key_A, kCtrl | kShift, std::nullopt},   // modifiers must match exactly
      {Qt::Key_2, kCtrl | Qt::KeypadModifier, std::nullopt},  // a keypad digit is another key
      {Qt::Key_C, kCtrl, std::nullopt},            // copy stays the control's
      {Qt::Key_A, Qt::NoModifier, std::nullopt},
      {Qt::Key_Return, Qt::NoModifier, std::nullopt},
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
      EXPECT_EQ(row.command, cmd::kReadBetweenWords);
    }
  }
  EXPECT_EQ(duplicates, 1);
  EXPECT_EQ(AcceleratorTable().size(), 50u);
}

TEST(Menus, EveryToolHasToolsFirstAndHelpLast) {
  for (int id : {cmd::kMenuMain, cmd::kMenuEditor, cmd::kMenuReader, cmd::kMenuComposer,
                 cmd::kMenuBrowser}) {
    SCOPED_TRACE(id);
    const std::vector<MenuPopup> menus = MenuFor(id);
    ASSERT_GE(menus.size(), 2u);
    EXPECT_EQ(menus.front().title, "&Araçlar");
    EXPECT_EQ(menus.back().title, "&Yardım");
    for (const MenuPopup& popup : menus) {
      for (const MenuItem& item : popup.items) {
        if (item.command != 0) {
          EXPECT_FALSE(CommandPrompt(item.command).empty()) << item.text;
        }
      }
    }
  }
}

TEST(Menus, ToolSpecificTexts) {
  const auto reader = MenuFor(cmd::kMenuReader);
  ASSERT_EQ(reader.size(), 3u);
  EXPECT_EQ(reader[1].items[2].text, "Posta &Oku");
  EXPECT_EQ(reader[1].items[1].text, "Posta A&yarları");
  const auto composer = MenuFor(cmd::kMenuComposer);
  ASSERT_EQ(composer.size(), 4u);
  EXPECT_EQ(composer[1].items[1].text, "Posta &Ayarları");
  EXPECT_EQ(composer[2].title, "&Düzenle");
  const auto browser = MenuFor(cmd::kMenuBrowser);
  ASSERT_EQ(browser.size(), 6u);
  ASSERT_EQ(browser[3].items.size(), 7u);
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(browser[3].items[i].command, cmd::kModeAll + static_cast<int>(i));
  }
  EXPECT_EQ(CommandPrompt(cmd::kDateTime), "") << "a key-only command has no prompt";
}

}  // namespace
}  // namespace lirvan
