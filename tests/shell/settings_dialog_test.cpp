// The spoken settings dialog, opened with F2 and driven from the keyboard.
#include <QApplication>
#include <QCheckBox>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/mainfrm.h"
#include "shell/settings_dialog.h"

namespace lirvan::test {
namespace {

TEST(SettingsDialog, TabSpeaksSpaceTogglesAndEscapeStillWrites) {
  Desktop desktop;  // no file: greeting on, echo off, punctuation on
  desktop.Start();
  desktop.Mark();
  std::vector<LogLine> afterTab;
  int echoWhileOpen = -1;
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget&) {
                                 Press(Qt::Key_Tab);
                                 afterTab = desktop.Since();
                                 desktop.Mark();
                                 Press(Qt::Key_Space);
                                 echoWhileOpen = desktop.app().m_bEchoCharacters;
                                 Press(Qt::Key_Escape);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(afterTab, (std::vector<LogLine>{
                          {"SpeakAndWait", "Program ayarları"},
                          {"SpeakAndWait", "Seçimleri değiştirmek için boşluk tuşuna basınız"},
                          {"SpeakAndWait", "Açılış notu okunacak"},
                          {"SpeakAndWait", "Metin düzenleyicide karakterler okunmayacak"}}));
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{
                                 {"SpeakAndWait", "Metin düzenleyicide karakterler de okunacak"}}));
  EXPECT_EQ(echoWhileOpen, 1) << "a change applies at once";
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 1 1\n");
}

TEST(SettingsDialog, PunctuationBoxSwitchesTheEngineAndEnterWrites) {
  Desktop desktop("1 0 1\n");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);  // the editor handles F2 too
  desktop.Mark();
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget&) {
                                 Press(Qt::Key_Tab);
                                 Press(Qt::Key_Tab);
                                 Press(Qt::Key_Space);
                                 Press(Qt::Key_Return);
                               });
  ASSERT_TRUE(shown);
  const std::vector<LogLine> said = desktop.Since();
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(said[said.size() - 2], (LogLine{"SetPunctuationReading", "0"}));
  EXPECT_EQ(said.back(), (LogLine{"SpeakAndWait", "Noktalama işaretleri okunmayacak"}));
  EXPECT_EQ(desktop.app().IsPunctuationReading(), 0);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 0\n");
}

TEST(SettingsDialog, GreetingBoxChangesOnlyTheFlag) {
  Desktop desktop("1 0 1\n");
  desktop.Start();
  {
    SettingsDialog dialog(desktop.app(), &desktop.frame());
    dialog.box(SettingsDialog::kGreeting)->click();
    EXPECT_EQ(desktop.app().m_bReadGreeting, 0);
    EXPECT_EQ(desktop.Log().back(), (LogLine{"SpeakAndWait", "Açılış notu okunmayacak"}));
  }
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "0 0 1\n");
}

TEST(SettingsDialog, OddValuesAreWrittenBackAsTheBoxesShowThem) {
  // 255 would be written as "255 0 " and lose the punctuation value.
  Desktop desktop("-1 0 1\n");
  desktop.Start();
  { SettingsDialog dialog(desktop.app(), &desktop.frame()); }
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\n");
}

}  // namespace
}  // namespace lirvan::test
