// The history keeps one entry per message, newest first, within its size.
#include <gtest/gtest.h>

#include "shell/speech_history.h"

namespace lirvan {
namespace {

TEST(SpeechHistory, KeepsTheNewestWithinItsCapacity) {
  SpeechHistory history(3);
  EXPECT_EQ(history.Last(), std::nullopt);
  for (const char* text : {"bir", "", "iki", "üç", "dört"}) history.Add(text);
  EXPECT_EQ(history.NewestFirst(), (std::vector<std::string>{"dört", "üç", "iki"}));
  EXPECT_EQ(history.Last(), "dört");
}

TEST(SpeechHistory, FiveHundredByDefault) {
  SpeechHistory history;
  for (int i = 0; i < 1200; ++i) history.Add(std::to_string(i));
  EXPECT_EQ(history.size(), 500u);
  EXPECT_EQ(history.NewestFirst().back(), "700");
}

}  // namespace
}  // namespace lirvan
