#pragma once
#include <memory>
#include <vector>

#include "speech/units/token.h"

namespace lirvan {

// Where the front end hands its finished tokens: the engine's queue, or a
// collector in tools and tests.
class TokenSink {
 public:
  virtual ~TokenSink() = default;
  // Takes ownership. Returns false when production is to stop (the engine
  // was stopped); the token is then discarded.
  virtual bool Put(std::unique_ptr<Token> token) = 0;
};

// Keeps every token it is given, in order (tools and tests).
class TokenCollector final : public TokenSink {
 public:
  bool Put(std::unique_ptr<Token> token) override {
    tokens.push_back(std::move(token));
    return true;
  }
  std::vector<std::unique_ptr<Token>> tokens;
};

}  // namespace lirvan
