// The menus spoken as the user moves through them with the keyboard, and
// the tip beside the highlighted entry.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/command_table.h"
#include "shell/key_names.h"
#include "shell/mainfrm.h"
#include "shell/menutipper/menu_tip_manager.h"
#include "shell/menutipper/popup_text.h"

namespace lirvan::test {
namespace {

QMenu* OpenPopup() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

void PressInMenu(int key) {
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr) << "no menu is open";
  QTest::keyClick(popup, static_cast<Qt::Key>(key));
  ProcessEvents();
}

void OpenToolsMenu(Desktop& desktop) {
  QTest::keyClick(&desktop.frame(), Qt::Key_A, Qt::AltModifier);
  ProcessEvents();
}

std::string Spoken(std::string_view prompt, Command command) {
  std::string text(prompt);
  const std::string key = SpokenKeyOf(command);
  return key.empty() ? text : text + ", " + key;
}

TEST(MenuTips, AltAOpensTheToolsMenuNamedWithItsFirstEntry) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  OpenToolsMenu(desktop);
  ASSERT_NE(OpenPopup(), nullptr);
  const std::vector<LogLine> said = desktop.Since();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.front(), (LogLine{"Speak", "Araçlar"}));
  EXPECT_EQ(said.back(), (LogLine{"Speak", "Araçlar, İnternet gezgini, Kontrol 1"}));
  desktop.Mark();
  PressInMenu(Qt::Key_Down);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Metin düzenleyici, Kontrol 2"}}));
  PressInMenu(Qt::Key_Escape);
}

TEST(MenuTips, TipComesAfterTheDelayThenAtOnceUntilTheMenuCloses) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.frame().menuTips().SetDelay(150);
  OpenToolsMenu(desktop);
  CPopupText* tip = desktop.frame().menuTips().tip();
  ASSERT_NE(tip, nullptr);
  PressInMenu(Qt::Key_Down);
  EXPECT_FALSE(tip->isVisible()) << "shown before its delay";
  EXPECT_TRUE(QTest::qWaitFor([&] { return tip->isVisible(); }, 2000));
  EXPECT_EQ(tip->text(), QStringLiteral("Metin düzenleyici"));
  PressInMenu(Qt::Key_Down);
  EXPECT_TRUE(tip->isVisible()) << "the next tip is shown at once while one shows";
  EXPECT_EQ(tip->text(), QStringLiteral("Posta oku"));
  PressInMenu(Qt::Key_Escape);
  EXPECT_FALSE(tip->isVisible());
}

TEST(MenuTips, EveryEntryOfEveryToolsMenusIsSpoken) {
  Desktop desktop("0 0 1");
  desktop.Start();
  for (int opener : {0, int(Qt::Key_2), int(Qt::Key_4), int(Qt::Key_3), int(Qt::Key_1)}) {
    if (opener != 0) Press(opener, Qt::ControlModifier);
    const MenuId id = desktop.frame().currentMenuId();
    SCOPED_TRACE(static_cast<int>(id));
    const std::vector<MenuPopup> popups = MenuFor(id);
    const QList<QAction*> bar = desktop.frame().menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(popups.size()));
    for (std::size_t p = 0; p < popups.size(); ++p) {
      QMenu* menu = bar[static_cast<qsizetype>(p)]->menu();
      desktop.Mark();
      menu->popup(QPoint(10, 10));
      ASSERT_TRUE(QTest::qWaitFor([&] { return OpenPopup() == menu; }, 2000));
      std::vector<std::string> expected;
      for (const MenuItem& item : popups[p].items) {
        if (item.command) expected.push_back(Spoken(CommandPrompt(*item.command), *item.command));
      }
      for (std::size_t i = 0; i < expected.size(); ++i) PressInMenu(Qt::Key_Down);
      std::vector<std::string> heard;
      for (const LogLine& line : desktop.Since()) {
        const std::size_t comma = line.text.find(", ");
        const std::string title = MenuTipManager::WithoutMarkers(menu->title()).toStdString();
        heard.push_back(line.text.rfind(title + ", ", 0) == 0 ? line.text.substr(title.size() + 2)
                                                              : line.text);
        (void)comma;
      }
      // Opened from code, the first entry is reached by the first Down.
      for (const std::string& entry : expected) {
        EXPECT_NE(std::find(heard.begin(), heard.end(), entry), heard.end()) << entry;
      }
      menu->close();
      ProcessEvents();
    }
  }
}

}  // namespace
}  // namespace lirvan::test
