// The calculator window: echo, results, the failure sentence, and the way
// there through Ctrl+5.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "calculator/ccalculator.h"
#include "gui_support.h"
#include "shell/mainfrm.h"

namespace lirvan::test {
namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_.Start();
    calculator_ = std::make_unique<CCalculator>(desktop_.app(), &desktop_.frame());
    calculator_->show();
    calculator_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(calculator_.get()));
    ProcessEvents();
  }

  Desktop desktop_{"0 0 1"};
  std::unique_ptr<CCalculator> calculator_;
};

TEST_F(CalculatorTest, ResultsReplaceTheExpressionAndAreSpokenOnce) {
  struct Case {
    const char* expression;
    const char* shown;
    const char* spoken;
  };
  const Case cases[] = {
      {"3,5+1", "4,5", "4,5"},
      {"2^10", "1024", "1024"},
      {"10/4", "2,5", "2,5"},
      {"min(3;2)", "2", "2"},
      {"abc", "abc", "Tanımsız bir işlem girildi"},
      {"2+", "2+", "Tanımsız bir işlem girildi"},
      {"", "nan", "tanımsız"},
      {"0-7/2", "-3,5", "eksi 3,5"},
      {"1000*1000", "1e+06", "1000000"},
      {"1/0", "inf", "sonsuz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    calculator_->edit()->clear();
    TypeText(QString::fromUtf8(c.expression));
    desktop_.Mark();
    Press(Qt::Key_Return);
    EXPECT_EQ(calculator_->edit()->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(desktop_.Since(), (std::vector<LogLine>{{"Speak", c.spoken}}));
    EXPECT_TRUE(calculator_->isVisible()) << "Enter keeps the window open";
  }
}

TEST_F(CalculatorTest, TypingEchoesEachCharacterByName) {
  desktop_.Mark();
  TypeText(QStringLiteral("12"));
  EXPECT_EQ(desktop_.Since(),
            (std::vector<LogLine>{{"SpeakCharacter", "1"}, {"SpeakCharacter", "2"}}));
}

TEST_F(CalculatorTest, OpeningSentenceComesBackWithTheFocus) {
  EXPECT_EQ(desktop_.Log().back(), (LogLine{"Speak", "Hesap makinesi açıldı"}));
  desktop_.Mark();
  calculator_->edit()->clearFocus();
  calculator_->edit()->setFocus();
  ProcessEvents();
  EXPECT_EQ(desktop_.Since(), (std::vector<LogLine>{{"Speak", "Hesap makinesi açıldı"}}));
}

TEST_F(CalculatorTest, ResultCanBeExtendedAndEvaluatedAgain) {
  TypeText(QStringLiteral("10/4"));
  Press(Qt::Key_Return);
  calculator_->edit()->end(false);
  TypeText(QStringLiteral("*2"));
  desktop_.Mark();
  Press(Qt::Key_Return);
  EXPECT_EQ(calculator_->edit()->text(), QStringLiteral("5"));
  EXPECT_EQ(desktop_.Since(), (std::vector<LogLine>{{"Speak", "5"}}));
}

TEST(CalculatorWindow, CtrlFiveOpensItAndEscapeClosesIt) {
  Desktop desktop("0 0 1");
  desktop.Start();
  Press(Qt::Key_2, Qt::ControlModifier);
  desktop.Mark();
  QString title;
  const bool shown = WithModal([] { Press(Qt::Key_5, Qt::ControlModifier); },
                               [&](QWidget& dialog) {
                                 title = dialog.windowTitle();
                                 TypeText(QStringLiteral("2^10"));
                                 Press(Qt::Key_Return);
                                 Press(Qt::Key_Escape);
                               });
  ASSERT_TRUE(shown);
  EXPECT_EQ(title, QStringLiteral("Hesap Makinesi"));
  const std::vector<LogLine> said = desktop.Since();
  const std::vector<LogLine> expected{{"Speak", "Hesap makinesi açıldı"},
                                      {"SpeakCharacter", "2"},
                                      {"SpeakCharacter", "^"},
                                      {"SpeakCharacter", "1"},
                                      {"SpeakCharacter", "0"},
                                      {"Speak", "1024"}};
  ASSERT_GE(said.size(), expected.size());
  EXPECT_EQ(std::vector<LogLine>(said.begin(), said.begin() + 6), expected);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace lirvan::test
