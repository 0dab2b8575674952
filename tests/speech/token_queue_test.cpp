#include "speech/engine/token_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace lirvan {
namespace {

TEST(TokenQueue, FirstInFirstOutAndGetNeverWaits) {
  TokenQueue q;
  EXPECT_EQ(q.Get(), nullptr);
  for (const char* w : {"bir", "iki", "üç"}) ASSERT_TRUE(q.Put(MakeToken(w)));
  EXPECT_EQ(q.Count(), 3);
  EXPECT_EQ(q.Get()->source, "bir");
  EXPECT_EQ(q.Get()->source, "iki");
  q.Clear();
  EXPECT_EQ(q.Count(), 0);
  EXPECT_EQ(q.Get(), nullptr);
}

TEST(TokenQueue, ClearRestoresEveryPlace) {
  TokenQueue q;
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
  q.Clear();
  // Full capacity again: this many more fit without waiting.
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
  EXPECT_EQ(q.Count(), kQueueCapacity);
}

TEST(TokenQueue, AbortReleasesAProducerWaitingOnAFullQueue) {
  TokenQueue q;
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
  std::atomic<bool> refused{false};
  std::thread producer([&] { refused = !q.Put(MakeToken("b")); });
  q.Abort();
  producer.join();
  EXPECT_TRUE(refused);
  q.Clear();
  q.Reopen();
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
}

TEST(TokenQueue, GetRacingClearNeverDeadlocks) {
  for (int round = 0; round < 2000; ++round) {
    TokenQueue q;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
    std::thread consumer([&] {
      while (q.Get()) {
      }
    });
    q.Clear();
    consumer.join();
    EXPECT_EQ(q.Count(), 0);
  }
}

}  // namespace
}  // namespace lirvan
