// Text at the edge between Qt and speech.
#include <gtest/gtest.h>

#include "platform/cp1254.h"
#include "shell/text.h"

namespace lirvan {
namespace {

TEST(PlainText, CharactersOutsideTheCodePageAreNamedNotQuestionMarks) {
  const SpeechText spoken = Plain(QStringLiteral("İstanbul → Ankara ₺"));
  ASSERT_TRUE(spoken.IsPlainOnly());
  const std::string heard = Cp1254ToUtf8(spoken.Joined());
  EXPECT_EQ(heard.find('?'), std::string::npos) << heard;
  EXPECT_NE(heard.find("İstanbul"), std::string::npos) << heard;
  EXPECT_NE(heard.find("sağ ok"), std::string::npos) << heard;
  EXPECT_NE(heard.find("lira"), std::string::npos) << heard;
}

}  // namespace
}  // namespace lirvan
