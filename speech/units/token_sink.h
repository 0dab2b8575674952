#pragma once
#include <memory>

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

}  // namespace lirvan
