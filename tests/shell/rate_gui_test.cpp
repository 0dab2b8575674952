// The speaking rate on the desktop: read from the settings file, changed by
// Alt+Up / Alt+Down and in the settings dialog, said and stored.
#include <QTest>
#include <QApplication>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "gui_support.h"
#include "shell/lirvan_app.h"
#include "speech/engine/speech_engine.h"

namespace lirvan::test {
namespace {

std::vector<LogLine> Spoken(const std::vector<LogLine>& log) {
  std::vector<LogLine> spoken;
  for (const LogLine& line : log) {
    if (line.operation == "Speak") spoken.push_back(line);
  }
  return spoken;
}

TEST(SpeakingRate, TheFileSetsTheEngineAndBadValuesGiveTheNormalRate) {
  const struct {
    const char* file;
    int rate;
  } cases[] = {{"1 0 1\nhiz=250\n", 250}, {"1 0 1\nhiz=hizli\n", 100},
               {"1 0 1\nhiz=1000\n", 100}, {"1 0 1\n", 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Desktop desktop(c.file);
    desktop.Start();
    EXPECT_EQ(desktop.app().Engine().Rate(), c.rate);
  }
}

TEST(SpeakingRate, AltArrowsStepSayAndStoreKeepingTheOtherLines) {
  Desktop desktop("0 1 1\nbuyukharf=1\nhiz=150\nbilinmeyen=x\n");
  desktop.Start();
  desktop.Mark();
  Press(Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(Spoken(desktop.Since()), (std::vector<LogLine>{{"Speak", "hız yüzde 160"}}));
  EXPECT_EQ(desktop.app().Engine().Rate(), 160);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"),
            "0 1 1\nbuyukharf=1\nhiz=160\nbilinmeyen=x\n");
  Press(Qt::Key_Down, Qt::AltModifier);
  Press(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(desktop.app().Engine().Rate(), 140);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"),
            "0 1 1\nbuyukharf=1\nhiz=140\nbilinmeyen=x\n");
}

TEST(SpeakingRate, AStepPastALimitIsHeldAndSaid) {
  const struct {
    const char* file;
    int key;
    std::vector<LogLine> said;
    int rate;
  } cases[] = {
      {"1 0 1\nhiz=390\n", Qt::Key_Up,
       {{"Speak", "hız yüzde 400"}, {"Speak", "hız yüzde 400, en yüksek hız"}}, 400},
      {"1 0 1\nhiz=60\n", Qt::Key_Down,
       {{"Speak", "hız yüzde 50"}, {"Speak", "hız yüzde 50, en düşük hız"}}, 50},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Desktop desktop(c.file);
    desktop.Start();
    desktop.Mark();
    Press(c.key, Qt::AltModifier);
    Press(c.key, Qt::AltModifier);
    EXPECT_EQ(Spoken(desktop.Since()), c.said);
    EXPECT_EQ(desktop.app().Engine().Rate(), c.rate);
  }
}

TEST(SpeakingRate, WithoutAFileTheKeysWriteTheDefaultsAndTheRate) {
  Desktop desktop;
  desktop.Start();
  Press(Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\nhiz=90\n");
}

// Tab from the first box reaches the rate after the four boxes.
// Tab past the check boxes and the punctuation level to the rate's spin box.
void ToTheRateField() {
  for (int i = 0; i < 10 && qobject_cast<QSpinBox*>(QApplication::focusWidget()) == nullptr; ++i) {
    Press(Qt::Key_Tab);
  }
}

TEST(SpeakingRate, TheDialogFieldSaysAppliesAtOnceAndIsWrittenOnClosing) {
  Desktop desktop("1 0 1\nbilinmeyen=x\n");
  desktop.Start();
  std::vector<LogLine> onFocus;
  std::vector<LogLine> onChange;
  int rateWhileOpen = 0;
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget&) {
                                 desktop.Mark();
                                 ToTheRateField();
                                 onFocus = desktop.Since();
                                 desktop.Mark();
                                 Press(Qt::Key_Up);
                                 Press(Qt::Key_Up);
                                 onChange = Spoken(desktop.Since());
                                 rateWhileOpen = desktop.app().Engine().Rate();
                                 Press(Qt::Key_Escape);
                               });
  ASSERT_TRUE(shown);
  ASSERT_FALSE(onFocus.empty());
  EXPECT_EQ(onFocus.back(),
            (LogLine{"SpeakAndWait",
                     "Konuşma hızı yüzde 100, yukarı ve aşağı ok tuşlarıyla değiştirilir"}));
  EXPECT_EQ(onChange, (std::vector<LogLine>{{"Speak", "hız yüzde 110"}, {"Speak", "hız yüzde 120"}}));
  EXPECT_EQ(rateWhileOpen, 120);
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\nbilinmeyen=x\nhiz=120\n");
}

TEST(SpeakingRate, TheDialogFieldAtTheTopSaysTheLimit) {
  Desktop desktop("1 0 1\nhiz=400\n");
  desktop.Start();
  std::vector<LogLine> said;
  const bool shown = WithModal([] { Press(Qt::Key_F2); },
                               [&](QWidget&) {
                                 ToTheRateField();
                                 desktop.Mark();
                                 Press(Qt::Key_Up);
                                 said = Spoken(desktop.Since());
                                 Press(Qt::Key_Return);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(said, (std::vector<LogLine>{{"Speak", "hız yüzde 400, en yüksek hız"}}));
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\nhiz=400\n");
}

TEST(SpeakingRate, ADialogLeftUnchangedWritesNoRate) {
  Desktop desktop("1 0 1\n");
  desktop.Start();
  ASSERT_TRUE(WithModal([] { Press(Qt::Key_F2); }, [](QWidget&) { Press(Qt::Key_Escape); }));
  EXPECT_EQ(desktop.ReadFile("veriler/ayarlar.dat"), "1 0 1\n");
}

}  // namespace
}  // namespace lirvan::test
