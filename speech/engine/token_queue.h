#pragma once
// The bounded first-in first-out queue between producer and consumer.
// Owns the tokens while they are queued.
#include <atomic>
#include <memory>
#include <semaphore>

#include "speech/units/token.h"

namespace lirvan {

inline constexpr int kQueueCapacity = 10000;

class TokenQueue {
 public:
  TokenQueue() = default;
  ~TokenQueue();
  TokenQueue(const TokenQueue&) = delete;
  TokenQueue& operator=(const TokenQueue&) = delete;

  // Waits for a free place. Returns false, discarding the token, when the
  // queue has been aborted (the engine is stopping).
  bool Put(std::unique_ptr<Token> token);
  // The oldest token, or null at once when none is queued.
  std::unique_ptr<Token> Get();
  // Destroys every queued token: no token queued, every place free.
  void Clear();

  // Makes every Put refuse and wakes a producer waiting for a free place.
  void Abort();
  // Ends an abort once producer and consumer have ended.
  void Reopen();

  // Blocks until something may have changed since `seen` (a token put, the
  // producer finished, an abort); the consumer waits here instead of
  // spinning on an empty queue.
  unsigned Changes() const { return changes_.load(); }
  void WaitForChange(unsigned seen) const { changes_.wait(seen); }

  void SetProducing(bool on);
  bool Producing() const { return producing_.load(); }
  int Count() const { return count_.load(); }

 private:
  void Changed();

  std::atomic<bool> producing_{false};
  std::atomic<int> count_{0};
  std::unique_ptr<Token> head_;  // owns the chain through Token::next
  Token* tail_ = nullptr;
  std::binary_semaphore lock_{1};
  // One spare above the capacity: the permit an abort adds to wake a
  // producer that waits on a full queue.
  std::counting_semaphore<kQueueCapacity + 1> full_{0};
  std::counting_semaphore<kQueueCapacity + 1> empty_{kQueueCapacity};
  std::atomic<bool> aborted_{false};
  std::atomic<bool> wakePermit_{false};
  mutable std::atomic<unsigned> changes_{0};
};

}  // namespace lirvan
