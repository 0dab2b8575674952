#pragma once
// Where the synthesizer hands the sound of each token: the audio device
// (TTSSound), or in tools and tests a file writer or a collector. Stages
// such as a speaking rate wrap another output and hand it what they make.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/audio_output.h"

namespace lirvan {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;

  // Called once, before the first Play, with the voice's format.
  virtual void Open(const PcmFormat& format) = 0;
  // Takes one token's sound and returns when done with it (played to its
  // end, written); 0, or an error code, after which the output is idle.
  // Calls may come from two threads; the output takes one at a time.
  virtual int Play(std::span<const std::uint8_t> sound) = 0;
  // The same for a sound in pieces (a token's units, then its pause). An output that can take the pieces as
  // they lie (a file written with one gathering write) saves joining them;
  // by default they are joined and played.
  virtual int PlayPieces(SoundPieces pieces);
  virtual bool IsPlaying() const = 0;
  // Blocks, without spinning, until no sound is being played.
  virtual void WaitUntilIdle() const = 0;
  // Drops the sound being played at once; a Play waiting for it returns.
  // May be called from any thread.
  virtual void Reset() = 0;
};

// The pieces joined end to end in `into` (its storage kept for the next
// token); false, with out of memory reported, when it cannot grow.
bool JoinPieces(SoundPieces pieces, std::vector<std::uint8_t>& into);

}  // namespace lirvan
