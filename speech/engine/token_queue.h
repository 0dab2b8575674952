#pragma once
// The bounded first-in first-out queue between producer and consumer.
// Owns the tokens while they are queued. One mutex guards it; one condition
// wakes whoever waits on it: a producer for a free place, a consumer for a
// token or the end of production.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stop_token>

#include "speech/units/chain.h"
#include "speech/units/token.h"

namespace lirvan {

inline constexpr int kQueueCapacity = 10000;

class TokenQueue {
 public:
  TokenQueue() = default;
  ~TokenQueue();
  TokenQueue(const TokenQueue&) = delete;
  TokenQueue& operator=(const TokenQueue&) = delete;

  // Waits for a free place. Returns false, discarding the token, once stop
  // is requested (the utterance is being stopped).
  bool Put(std::unique_ptr<Token> token, std::stop_token stop = {});
  // The oldest token, or null at once when none is queued.
  std::unique_ptr<Token> Get();
  // Waits for the oldest token; null once production has ended and nothing
  // is queued, or once stop is requested.
  std::unique_ptr<Token> Next(std::stop_token stop);
  // Destroys every queued token: no token queued, every place free.
  void Clear();

  void SetProducing(bool on);
  int Count() const;

 private:
  std::unique_ptr<Token> PopFront();  // with the lock held and a token queued

  mutable std::mutex mutex_;
  std::condition_variable_any changed_;
  Chain<Token> tokens_;
  int count_ = 0;
  bool producing_ = false;
};

}  // namespace lirvan
