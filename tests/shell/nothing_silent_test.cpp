// The moments that must not pass in silence: the history of what was said,
// the list of open windows, the punctuation switch, the empty desktop,
// leaving the program, and the calculator's deletions.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

#include "calculator/ccalculator.h"
#include "gui_support.h"
#include "shell/mainfrm.h"
#include "shell/spoken_list_dialog.h"
#include "shell/text.h"

namespace lirvan::test {
namespace {

TEST(SpeechHistoryWindow, CtrlShiftLRepeatsTheLastMessageWithoutRecordingItAgain) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.app().Speak(Cp("birinci"));
  desktop.app().SpeakCharacter('x');  // character echo is no message
  desktop.app().SpeakAndWait(Cp("ikinci ileti"));
  const std::size_t before = desktop.app().History().size();
  desktop.Mark();
  Press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  Press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "ikinci ileti"},
                                                   {"Speak", "ikinci ileti"}}));
  EXPECT_EQ(desktop.app().History().size(), before);
}

TEST(SpeechHistoryWindow, ListsNewestFirstReadByTheArrowsAndCopies) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.app().Speak(Cp("birinci"));
  desktop.app().Speak(Cp("ikinci"));
  const std::size_t count = desktop.app().History().size();
  desktop.Mark();
  std::vector<LogLine> opening;
  const bool shown = WithModal([] { Press(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier); },
                               [&](QWidget& dialog) {
                                 opening = desktop.Since();
                                 desktop.Mark();
                                 Press(Qt::Key_Down);
                                 Press(Qt::Key_C, Qt::ControlModifier);
                                 auto* list = dialog.findChild<QListWidget*>();
                                 ASSERT_NE(list, nullptr);
                                 EXPECT_EQ(list->item(0)->text(), QStringLiteral("ikinci"));
                                 Press(Qt::Key_Escape);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(opening, (std::vector<LogLine>{
                         {"SpeakAndWait", "Konuşma geçmişi, " + std::to_string(count) + " ileti"},
                         {"Speak", "ikinci"}}));
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "birinci"}, {"Speak", "kopyalandı"}}));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("birinci"));
  EXPECT_EQ(desktop.app().History().size(), count) << "reading the history adds nothing";
}

TEST(WindowList, CtrlShiftWNamesTheOpenWindowsAndEnterGoesThere) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  Press(Qt::Key_2, Qt::ControlModifier);
  desktop.Mark();
  std::vector<LogLine> opening;
  const bool shown =
      WithModal([] { Press(Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier); },
                [&](QWidget&) {
                  opening = desktop.Since();
                  Press(Qt::Key_Up);
                  Press(Qt::Key_Return);
                });
  ASSERT_TRUE(shown);
  EXPECT_EQ(opening, (std::vector<LogLine>{{"SpeakAndWait", "Açık pencereler, 2 pencere"},
                                           {"Speak", "Metin Düzenleyici2"}}));
  EXPECT_EQ(desktop.frame().mdiArea()->currentSubWindow()->windowTitle(),
            QStringLiteral("Metin Düzenleyici1"));
}

// Only the first opening says "açıldı"; coming back names the window, and a
// move within the window does not.
TEST(Switching, ReturningToAToolWindowNamesItWithoutSayingItOpened) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  Press(Qt::Key_3, Qt::ControlModifier);
  QMdiArea* area = desktop.frame().mdiArea();
  const QList<QMdiSubWindow*> windows = area->subWindowList();
  ASSERT_EQ(windows.size(), 2);
  const std::string composer = windows[1]->windowTitle().toStdString();

  desktop.Mark();
  area->setActiveSubWindow(windows[0]);
  ProcessEvents();
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Metin Düzenleyici1"}}));

  desktop.Mark();
  area->setActiveSubWindow(windows[1]);
  ProcessEvents();
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"SpeakAndWait", composer},
                                                   {"SpeakAndWait", "Gönderilecek adres"}}));

  desktop.Mark();
  Press(Qt::Key_Tab);
  EXPECT_EQ(desktop.Since(),
            (std::vector<LogLine>{{"SpeakAndWait", "Göderilecek diğer adresler"}}));
}

TEST(WindowList, WithNoWindowSaysSo) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  Press(Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Açık pencere yok"}}));
}

TEST(Punctuation, CtrlMWithNoToolSwitchesAndSaysSo) {
  Desktop desktop("0 0 1");
  desktop.Start();
  desktop.Mark();
  const bool shown = WithModal([] { Press(Qt::Key_M, Qt::ControlModifier); },
                               [](QWidget&) { Press(Qt::Key_Return); });
  ASSERT_TRUE(shown) << "the state is also shown";
  const std::vector<LogLine> said = desktop.Since();
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(said[0], (LogLine{"SetPunctuationLevel", "yok"}));
  EXPECT_EQ(said[1], (LogLine{"Speak", "noktalama okuma kapalı"}));
  EXPECT_EQ(desktop.app().IsPunctuationReading(), 0);
}

TEST(EmptyDesktop, ClosingTheLastToolWindowSaysNoToolIsOpen) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  desktop.Mark();
  desktop.frame().mdiArea()->currentSubWindow()->close();
  ProcessEvents();
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"Speak", "Lirvan, açık araç yok"}}));
}

TEST(EmptyDesktop, ReturningFromADialogSaysNoToolIsOpen) {
  Desktop desktop("0 0 1");
  desktop.Start();
  const bool shown = WithModal([] { Press(Qt::Key_F2); }, [](QWidget&) { Press(Qt::Key_Escape); });
  ASSERT_TRUE(shown);
  // As the window manager gives the activation back.
  desktop.frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop.frame()));
  ProcessEvents();
  EXPECT_EQ(desktop.Log().back(), (LogLine{"Speak", "Lirvan, açık araç yok"}));
}

TEST(Exit, SaysGoodbyeAndNothingElseWhileTheWindowsClose) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  Press(Qt::Key_4, Qt::ControlModifier);
  Press(Qt::Key_1, Qt::ControlModifier);
  desktop.Mark();
  desktop.frame().RouteCommand(Command::Exit);
  ProcessEvents();
  EXPECT_FALSE(desktop.frame().isVisible());
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"SpeakAndWait", "Hoşça kalın"}}));
}

TEST(Calculator, BackspaceNamesWhatWentAndAnEmptyField) {
  Desktop desktop("0 0 1");
  desktop.Start();
  CCalculator calculator(desktop.app(), &desktop.frame());
  calculator.show();
  calculator.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&calculator));
  ProcessEvents();
  TypeText(QStringLiteral("12"));
  desktop.Mark();
  Press(Qt::Key_Backspace);
  Press(Qt::Key_Backspace);
  EXPECT_EQ(desktop.Since(), (std::vector<LogLine>{{"SpeakCharacter", "2"},
                                                   {"SpeakCharacter", "1"},
                                                   {"Speak", "boş"}}));
}

}  // namespace
}  // namespace lirvan::test
