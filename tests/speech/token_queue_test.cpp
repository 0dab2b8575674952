#include "speech/engine/token_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stop_token>
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

TEST(TokenQueue, StopReleasesAProducerWaitingOnAFullQueue) {
  TokenQueue q;
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
  std::stop_source utterance;
  std::atomic<bool> refused{false};
  std::thread producer([&] { refused = !q.Put(MakeToken("b"), utterance.get_token()); });
  utterance.request_stop();
  producer.join();
  EXPECT_TRUE(refused);
  EXPECT_EQ(q.Count(), kQueueCapacity);
  q.Clear();
  for (int i = 0; i < kQueueCapacity; ++i) ASSERT_TRUE(q.Put(MakeToken("a")));
}

TEST(TokenQueue, NextWaitsForATokenOrTheEndOfProduction) {
  TokenQueue q;
  q.SetProducing(true);
  std::stop_source never;
  std::thread producer([&] {
    q.Put(MakeToken("son"));
    q.SetProducing(false);  // right after the last token: it must still be taken
  });
  std::unique_ptr<Token> last = q.Next(never.get_token());
  producer.join();
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->source, "son");
  EXPECT_EQ(q.Next(never.get_token()), nullptr) << "production ended, nothing queued";
}

TEST(TokenQueue, NextGivesUpOnStop) {
  TokenQueue q;
  q.SetProducing(true);
  std::stop_source utterance;
  std::thread stopper([&] { utterance.request_stop(); });
  EXPECT_EQ(q.Next(utterance.get_token()), nullptr);
  stopper.join();
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
