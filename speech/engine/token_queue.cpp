#include "speech/engine/token_queue.h"

namespace lirvan {

TokenQueue::~TokenQueue() { Clear(); }

void TokenQueue::Changed() {
  changes_.fetch_add(1);
  changes_.notify_all();
}

bool TokenQueue::Put(std::unique_ptr<Token> token) {
  if (aborted_.load()) return false;
  empty_.acquire();
  if (aborted_.load()) {
    empty_.release();  // the place (or the abort's wake permit) goes back
    return false;
  }
  lock_.acquire();
  if (aborted_.load()) {  // Clear may have run meanwhile: never link after it
    lock_.release();
    empty_.release();
    return false;
  }
  token->next.reset();
  Token* raw = token.get();
  if (!head_) {
    head_ = std::move(token);
  } else {
    tail_->next = std::move(token);
  }
  tail_ = raw;
  count_.fetch_add(1);
  full_.release();  // inside the lock: full equals count whenever the lock is free
  lock_.release();
  Changed();
  return true;
}

std::unique_ptr<Token> TokenQueue::Get() {
  if (count_.load() == 0) return nullptr;
  lock_.acquire();
  if (!head_) {  // a Clear came first
    lock_.release();
    return nullptr;
  }
  full_.acquire();  // never waits: a linked token always has its permit
  std::unique_ptr<Token> token = std::move(head_);
  head_ = token->TakeNext();
  if (!head_) tail_ = nullptr;
  count_.fetch_sub(1);
  empty_.release();
  lock_.release();
  return token;
}

void TokenQueue::Clear() {
  lock_.acquire();
  std::unique_ptr<Token> chain = std::move(head_);
  tail_ = nullptr;
  const int removed = count_.exchange(0);
  // Each removed token gives its place back, keeping full + empty at the
  // capacity.
  for (int i = 0; i < removed; ++i) {
    full_.acquire();
    empty_.release();
  }
  lock_.release();
  chain.reset();  // destroyed outside the lock
}

void TokenQueue::Abort() {
  aborted_.store(true);
  if (!wakePermit_.exchange(true)) empty_.release();
  Changed();
}

void TokenQueue::Reopen() {
  if (wakePermit_.exchange(false)) empty_.acquire();
  aborted_.store(false);
}

void TokenQueue::SetProducing(bool on) {
  producing_.store(on);
  Changed();
}

}  // namespace lirvan
