// Punctuation levels on the desktop: Ctrl+M between none and the level
// last on, the settings dialog's level list, and both kept in the file.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/mainfrm.h"
#include "shell/settings_dialog.h"
#include "speech/engine/speech_engine.h"

namespace lirvan::test {
namespace {

// Ctrl+M, the message box closed with Enter; what was said.
std::vector<LogLine> CtrlM(Desktop& desktop) {
  // As the window manager gives the activation back after a message box.
  desktop.frame().activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&desktop.frame()));
  desktop.Mark();
  EXPECT_TRUE(WithModal([] { Press(Qt::Key_M, Qt::ControlModifier); },
                        [](QWidget&) { Press(Qt::Key_Return); }));
  std::vector<LogLine> said;
  for (const LogLine& line : desktop.Since()) {
    if (line.operation == "Speak") said.push_back(line);
  }
  return said;
}

TEST(PunctuationLevel, CtrlMSwitchesBetweenNoneAndTheStoredLevel) {
  Desktop desktop("1 0 1\nnoktalama=bazi\n");
  desktop.Start();
  EXPECT_EQ(desktop.app().Engine().GetPunctuationLevel(), PunctuationLevel::Some);
  EXPECT_EQ(CtrlM(desktop), (std::vector<LogLine>{{"Speak", "noktalama okuma kapalı"}}));
  EXPECT_EQ(desktop.app().Engine().GetPunctuationLevel(), PunctuationLevel::None);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 0\nnoktalama=yok\n");
  EXPECT_EQ(CtrlM(desktop),
            (std::vector<LogLine>{{"Speak", "noktalama okuma açık, bazı işaretler"}}));
  EXPECT_EQ(desktop.app().Engine().GetPunctuationLevel(), PunctuationLevel::Some);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\nnoktalama=bazi\n");
}

TEST(PunctuationLevel, TheFirstLineAloneStillSwitches) {
  // A file written before levels existed: on is all, off is none, and
  // the file gains no later line while the level is one the switch says.
  Desktop desktop("1 0 1\n");
  desktop.Start();
  EXPECT_EQ(desktop.app().Engine().GetPunctuationLevel(), PunctuationLevel::All);
  EXPECT_EQ(CtrlM(desktop), (std::vector<LogLine>{{"Speak", "noktalama okuma kapalı"}}));
  EXPECT_EQ(CtrlM(desktop),
            (std::vector<LogLine>{{"Speak", "noktalama okuma açık, tüm işaretler"}}));
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\n");
}

TEST(PunctuationLevel, TheDialogChoosesTheLevelAndCtrlMReturnsToIt) {
  Desktop desktop("1 0 1\nhiz=150\n");
  desktop.Start();
  desktop.Mark();
  bool boxOn = false;
  std::vector<LogLine> focusAndChoice;
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget& dialog) {
                                 for (int i = 0; i < 4; ++i) Press(Qt::Key_Tab);
                                 desktop.Mark();
                                 Press(Qt::Key_Up);  // all -> most
                                 Press(Qt::Key_Up);  // most -> some
                                 focusAndChoice = desktop.Since();
                                 boxOn = dialog.findChild<QCheckBox*>() != nullptr &&
                                         static_cast<SettingsDialog&>(dialog)
                                             .box(SettingsDialog::kPunctuation)
                                             ->isChecked();
                                 Press(Qt::Key_Escape);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(focusAndChoice,
            (std::vector<LogLine>{{"SetPunctuationLevel", "cogu"},
                                  {"SpeakAndWait", "çoğu işaret"},
                                  {"SetPunctuationLevel", "bazi"},
                                  {"SpeakAndWait", "bazı işaretler"}}));
  EXPECT_TRUE(boxOn);
  EXPECT_EQ(desktop.app().Engine().GetPunctuationLevel(), PunctuationLevel::Some);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\nhiz=150\nnoktalama=bazi\n");
  CtrlM(desktop);
  EXPECT_EQ(CtrlM(desktop),
            (std::vector<LogLine>{{"Speak", "noktalama okuma açık, bazı işaretler"}}));
}

TEST(PunctuationLevel, TheListSaysItselfAndFollowsTheBox) {
  Desktop desktop("1 0 1\nnoktalama=cogu\n");
  desktop.Start();
  std::vector<LogLine> onFocus;
  int shownLevel = -1;
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget& dialog) {
                                 Press(Qt::Key_Tab);
                                 Press(Qt::Key_Tab);
                                 Press(Qt::Key_Space);  // the box off: none
                                 Press(Qt::Key_Tab);
                                 desktop.Mark();
                                 Press(Qt::Key_Tab);
                                 onFocus = desktop.Since();
                                 shownLevel = dialog.findChild<QComboBox*>()->currentIndex();
                                 Press(Qt::Key_Return);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(onFocus, (std::vector<LogLine>{{"SpeakAndWait", "Noktalama düzeyi, hiçbir işaret"}}));
  EXPECT_EQ(shownLevel, 0);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 0\nnoktalama=yok\n");
}

}  // namespace
}  // namespace lirvan::test
