// The desktop driven through its one accelerator table: real key events on
// the focused control, the speech log read back.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/about_dialog.h"
#include "shell/childfrm.h"
#include "shell/commands.h"
#include "shell/date_time.h"
#include "shell/mainfrm.h"
#include "shell/settings.h"
#include "shell/text.h"
#include "platform/cp1254.h"

namespace lirvan::test {
namespace {

const LogLine kGreeting{"Speak", Cp1254ToUtf8(CLirvanApp::GreetingText())};

QStringList Titles(CMainFrame& frame) {
  QStringList titles;
  for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) titles << window->windowTitle();
  return titles;
}

QStringList MenuTitles(CMainFrame& frame) {
  QStringList titles;
  for (QAction* action : frame.menuBar()->actions()) titles << action->text();
  return titles;
}

bool Contains(const std::vector<LogLine>& log, const LogLine& line) {
  return std::find(log.begin(), log.end(), line) != log.end();
}

// Ctrl+1, and the browser's help page loaded and announced, so that nothing
// it says later falls among what a test listens for.
void OpenBrowser(Desktop& desktop) {
  Press(Qt::Key_1, Qt::ControlModifier);
  const LogLine loaded{"SpeakAndWait", "Lirvan Yardım sayfası yüklendi"};
  EXPECT_TRUE(QTest::qWaitFor([&] { return Contains(desktop.Log(), loaded); }, 20000));
  ProcessEvents();
}

TEST(StartUp, WithoutSettingsFileGreetsEchoesNothingReadsPunctuation) {
  Desktop desktop;
  desktop.Start();
  EXPECT_EQ(desktop.Log(), (std::vector<LogLine>{{"SetPunctuationReading", "1"}, kGreeting}));
  EXPECT_EQ(desktop.app().m_bEchoCharacters, 0);
  EXPECT_EQ(desktop.app().IsPunctuationReading(), 1);
  EXPECT_TRUE(desktop.frame().mdiArea()->subWindowList().isEmpty()) << "no tool opens";
  EXPECT_EQ(desktop.frame().windowTitle(), QStringLiteral("Lirvan"));
  EXPECT_EQ(MenuTitles(desktop.frame()), (QStringList{"&Araçlar", "&Yardım"}));
}

TEST(StartUp, SettingsZeroOneZeroSaysOnlyThatItIsReady) {
  Desktop desktop("0 1 0\n");
  desktop.Start();
  EXPECT_EQ(desktop.Log(), (std::vector<LogLine>{{"SetPunctuationReading", "0"},
                                                 {"Speak", "Lirvan hazır"}}));
  EXPECT_EQ(desktop.app().m_bEchoCharacters, 1);
  EXPECT_EQ(desktop.app().IsPunctuationReading(), 0);
}

TEST(StartUp, GreetingNamesTheMakersThenTheHelpHint) {
  const std::string greeting = kGreeting.text;
  EXPECT_NE(greeting.find("Lirvan geliştiricileri"), std::string::npos);
  const std::string hint =
      "Yardım için Fe 1 tuşuna basıp açılan ekranı tab tuşu ile dinleyiniz Yardım dosyasında "
      "arama yapmak için CTRL Fe tuşlarını kullabilirsiniz";
  ASSERT_GE(greeting.size(), hint.size());
  EXPECT_EQ(greeting.substr(greeting.size() - hint.size()), hint);
}

TEST(SpeakFamily, LineEndsAreRemovedOrBecomeBlanks) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  desktop.app().Speak("a\r\nb");
  desktop.app().SpeakAndWait("a\r\nb");
  desktop.app().SpeakDirect("1\r\n2");
  desktop.app().SpeakCharacter('\xFD');
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "ab"},
                                                   {"SpeakAndWait", "a b"},
                                                   {"SpeakDirect", "12"},
                                                   {"SpeakCharacter", "ı"}}));
}

TEST(Accelerators, CtrlTwoThriceOpensThreeNumberedEditors) {
  Desktop desktop("0 0 1");
  desktop.Start();
  for (int i = 0; i < 3; ++i) Press(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(Titles(desktop.frame()),
            (QStringList{"Metin Düzenleyici1", "Metin Düzenleyici2", "Metin Düzenleyici3"}));
  EXPECT_EQ(desktop.frame().windowTitle(), QStringLiteral("Lirvan - Metin Düzenleyici3"));
  EXPECT_TRUE(Contains(desktop.Log(), {"Speak", "Metin düzenleyici açıldı"}));
  EXPECT_EQ(MenuTitles(desktop.frame()), (QStringList{"&Araçlar", "&Düzenle", "&Yardım"}));
}

TEST(Accelerators, CtrlThreeTwiceOpensOneComposerAndBringsItBack) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(desktop.Log().back(), (LogLine{"SpeakAndWait", "Gönderilecek adres"}));
  desktop.Mark();
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(Titles(desktop.frame()), QStringList{"Posta Gönderme1"});
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Posta gönderme"}}));
  EXPECT_EQ(desktop.app().m_bSendMailOpen, 1);
}

TEST(Accelerators, ReopenedComposerIsStillFoundThoughItsNumberGrew) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_3, Qt::ControlModifier);
  desktop.frame().mdiArea()->closeAllSubWindows();
  ProcessEvents();
  EXPECT_EQ(desktop.app().m_bSendMailOpen, 0) << "the view clears the flag when it goes";
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(Titles(desktop.frame()), QStringList{"Posta Gönderme2"});
  desktop.Mark();
  Press(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Posta gönderme"}}));
}

TEST(Accelerators, CtrlFourTwiceOpensOneMailReader) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_4, Qt::ControlModifier);
  const std::vector<LogLine> opened = desktop.Log();
  EXPECT_TRUE(Contains(opened, {"SpeakAndWait", "Posta okuma açıldı"}));
  EXPECT_EQ(opened.back(), (LogLine{"Speak", "Posta okuma"}));
  desktop.Mark();
  Press(Qt::Key_4, Qt::ControlModifier);
  EXPECT_EQ(Titles(desktop.frame()), QStringList{"Posta Okuma1"});
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Posta okuma"}}));
}

TEST(Accelerators, ComposerTabMovesRoundItsFiveFields) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_3, Qt::ControlModifier);
  desktop.Mark();
  Press(Qt::Key_Tab);
  Press(Qt::Key_Tab);
  Press(Qt::Key_Tab);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"SpeakAndWait", "Göderilecek diğer adresler"},
                                                   {"SpeakAndWait", "Gizli göderilecek adresler"},
                                                   {"SpeakAndWait", "Posta konusu"}}));
  desktop.Mark();
  Press(Qt::Key_Tab);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Posta içeriği"}}));
}

TEST(Accelerators, BrowserWindowIgnoresCtrlT) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  OpenBrowser(desktop);
  auto* child = desktop.frame().ActiveChild();
  ASSERT_NE(qobject_cast<CChildFrame*>(child), nullptr);
  // The window names itself as it takes the focus, then loads the help page.
  EXPECT_EQ(desktop.Since(),
            (std::vector<LogLine>{{"SpeakAndWait", "Internet Gezgini "},
                                  {"SpeakAndWait", "Sayfa Yükleniyor"},
                                  {"SpeakAndWait", "Lirvan Yardım sayfası yüklendi"}}));
  desktop.Mark();
  Press(Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(desktop.Since().empty());
  EXPECT_EQ(Titles(desktop.frame()), QStringList{"Internet Gezgini1"});
}

TEST(Accelerators, CtrlIAndShiftTabDoNothingAnywhere) {
  Desktop desktop("0 0 1");
  desktop.Start();
  for (int opener : {0, int(Qt::Key_2), int(Qt::Key_1), int(Qt::Key_3), int(Qt::Key_4)}) {
    SCOPED_TRACE(opener);
    if (opener == Qt::Key_1) {
      OpenBrowser(desktop);
    } else if (opener != 0) {
      Press(opener, Qt::ControlModifier);
    }
    QWidget* focused = QApplication::focusWidget();
    desktop.Mark();
    Press(Qt::Key_I, Qt::ControlModifier);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(desktop.Since().empty());
    EXPECT_EQ(QApplication::focusWidget(), focused) << "Shift+Tab moved the focus";
  }
}

TEST(Accelerators, TableKeysNeverReachTheFocusedControl) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  auto* text = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget());
  ASSERT_NE(text, nullptr);
  TypeText(QStringLiteral("ab"));
  Press(Qt::Key_A, Qt::ControlModifier);  // the control's select-all
  // Ctrl+Z is the table's undo, which the editor itself handles.
  Press(Qt::Key_I, Qt::ControlModifier);
  Press(Qt::Key_Tab);
  Press(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(text->toPlainText(), QStringLiteral("ab"));
  EXPECT_FALSE(text->textCursor().hasSelection());
  // A key outside the table still reaches it.
  Press(Qt::Key_Return);
  EXPECT_EQ(text->toPlainText(), QStringLiteral("ab\n"));
}

TEST(Accelerators, AltDSpeaksTheDateAndTime) {
  Desktop desktop("0 0 1");
  desktop.Start();
  for (int opener : {0, int(Qt::Key_2)}) {
    SCOPED_TRACE(opener);
    if (opener != 0) Press(opener, Qt::ControlModifier);
    desktop.Mark();
    const std::string before = Cp1254ToUtf8(DateTimeSentenceNow());
    Press(Qt::Key_D, Qt::AltModifier);
    const std::string after = Cp1254ToUtf8(DateTimeSentenceNow());
    const std::vector<LogLine> said = desktop.Since();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].operation, "Speak");
    EXPECT_TRUE(said[0].text == before || said[0].text == after) << said[0].text;
    EXPECT_EQ(said[0].text.rfind("bugün ", 0), 0u);
  }
}

TEST(Accelerators, CtrlDStopsReadingWithOrWithoutATool) {
  Desktop desktop("0 0 1");
  desktop.Start();
  for (int opener : {0, int(Qt::Key_2), int(Qt::Key_1)}) {
    SCOPED_TRACE(opener);
    if (opener == Qt::Key_1) {
      OpenBrowser(desktop);
    } else if (opener != 0) {
      Press(opener, Qt::ControlModifier);
    }
    desktop.Mark();
    Press(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"StopSpeaking", ""}}));
  }
}

TEST(Accelerators, F1OpensABrowserWindowAsHelp) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  Press(Qt::Key_F1);
  EXPECT_EQ(Titles(desktop.frame()), QStringList{"Internet Gezgini1"});
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return Contains(desktop.Since(), {"SpeakAndWait", "Lirvan Yardım sayfası yüklendi"}); },
      20000))
      << "the browser starts on the help page";
  EXPECT_EQ(desktop.frame().currentMenuId(), MenuId::Browser);
}

TEST(Menus, FollowTheActiveToolAndRouteTheirItems) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_4, Qt::ControlModifier);
  EXPECT_EQ(MenuTitles(desktop.frame()),
            (QStringList{"&Araçlar", "&Posta Alma Aracı", "&Yardım"}));
  QMenu* tools = desktop.frame().menuBar()->actions().front()->menu();
  ASSERT_NE(tools, nullptr);
  QAction* editor = tools->actions().at(1);
  EXPECT_EQ(editor->text(), QStringLiteral("&Metin Düzenleyici"));
  EXPECT_EQ(editor->statusTip(), QStringLiteral("Metin düzenleyici"));
  EXPECT_TRUE(editor->shortcut().isEmpty()) << "keys belong to the accelerator table";
  editor->trigger();
  ProcessEvents();
  EXPECT_EQ(Titles(desktop.frame()), (QStringList{"Posta Okuma1", "Metin Düzenleyici1"}));
  EXPECT_EQ(MenuTitles(desktop.frame()), (QStringList{"&Araçlar", "&Düzenle", "&Yardım"}));
}

TEST(Menus, SwitchingToolsBuildsNothingNew) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  OpenBrowser(desktop);
  QMdiArea& area = *desktop.frame().mdiArea();
  const QList<QMdiSubWindow*> windows = area.subWindowList();
  ASSERT_EQ(windows.size(), 2);
  auto count = [&] {
    return std::pair{desktop.frame().findChildren<QMenu*>().size(),
                     desktop.frame().findChildren<QAction*>().size()};
  };
  area.setActiveSubWindow(windows[0]);
  ProcessEvents();
  const auto afterFirst = count();
  for (int i = 1; i <= 200; ++i) {
    area.setActiveSubWindow(windows[i % 2]);
    QCoreApplication::processEvents();
  }
  ProcessEvents();
  EXPECT_EQ(count(), afterFirst);
  EXPECT_EQ(MenuTitles(desktop.frame()), (QStringList{"&Araçlar", "&Düzenle", "&Yardım"}));
  area.setActiveSubWindow(windows[1]);
  ProcessEvents();
  EXPECT_EQ(MenuTitles(desktop.frame()).size(), 6);
}

TEST(Commands, AboutBoxSpeaksTheCreditsAndStopsWhenClosed) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  const bool shown = WithModal([&] { desktop.frame().RouteCommand(Command::About); },
                               [](QWidget&) { Press(Qt::Key_Escape); });
  ASSERT_TRUE(shown);
  EXPECT_EQ(desktop.Since(),
            (std::vector<LogLine>{{"Speak", CAboutDlg::CreditsText()}, {"StopSpeaking", ""}}));
}

TEST(Commands, ExitClosesEveryToolWindow) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_3, Qt::ControlModifier);
  Press(Qt::Key_4, Qt::ControlModifier);
  desktop.frame().RouteCommand(Command::Exit);
  ProcessEvents();
  EXPECT_FALSE(desktop.frame().isVisible());
  EXPECT_EQ(desktop.app().m_bSendMailOpen, 0);
  EXPECT_EQ(desktop.app().m_bReceiveMailOpen, 0);
}

TEST(Commands, UnhandledCommandsDoNothing) {
  Desktop desktop("0 0 1");
  desktop.Start();
  OpenBrowser(desktop);
  desktop.Mark();
  for (Command command : {Command::Undo, Command::Cut, Command::Copy, Command::Paste,
                          Command::NothingCtrlI, Command::NothingShiftTab,
                          Command::ReadBetweenFinds}) {
    EXPECT_FALSE(desktop.frame().RouteCommand(command)) << ToInt(command);
  }
  EXPECT_TRUE(desktop.Since().empty());
}

}  // namespace
}  // namespace lirvan::test
