#include "speech/engine/token_queue.h"

namespace lirvan {

TokenQueue::~TokenQueue() { Clear(); }

bool TokenQueue::Put(std::unique_ptr<Token> token, std::stop_token stop) {
  token->next.reset();
  {
    std::unique_lock lock(mutex_);
    if (!changed_.wait(lock, stop, [&] { return count_ < kQueueCapacity; })) return false;
    tokens_.Append(std::move(token));
    ++count_;
  }
  changed_.notify_all();
  return true;
}

std::unique_ptr<Token> TokenQueue::Get() {
  std::unique_ptr<Token> token;
  {
    std::lock_guard lock(mutex_);
    if (count_ == 0) return nullptr;
    token = PopFront();
  }
  changed_.notify_all();  // a place is free
  return token;
}

std::unique_ptr<Token> TokenQueue::Next(std::stop_token stop) {
  std::unique_ptr<Token> token;
  {
    std::unique_lock lock(mutex_);
    // One test under the lock: a last token put just before production
    // ended is always seen.
    changed_.wait(lock, stop, [&] { return count_ > 0 || !producing_; });
    if (stop.stop_requested() || count_ == 0) return nullptr;
    token = PopFront();
  }
  changed_.notify_all();
  return token;
}

std::unique_ptr<Token> TokenQueue::PopFront() {
  --count_;
  return tokens_.PopFront();
}

void TokenQueue::Clear() {
  std::unique_ptr<Token> chain;
  {
    std::lock_guard lock(mutex_);
    chain = tokens_.Take();
    count_ = 0;
  }
  changed_.notify_all();
  chain.reset();  // destroyed outside the lock
}

void TokenQueue::SetProducing(bool on) {
  {
    std::lock_guard lock(mutex_);
    producing_ = on;
  }
  changed_.notify_all();
}

int TokenQueue::Count() const {
  std::lock_guard lock(mutex_);
  return count_;
}

}  // namespace lirvan
