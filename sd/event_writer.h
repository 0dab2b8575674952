#pragma once
// Everything the module writes to the server, from the command thread
// (replies) and the speaking thread (events, audio). Each reply or event
// goes out whole, never inside another.
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

#include "platform/audio_output.h"

namespace lirvan::sd {

class EventWriter {
 public:
  explicit EventWriter(int fd) : fd_(fd) {}

  // Lines written as one piece, each ended with LF.
  void Lines(std::initializer_list<std::string_view> lines);
  void Begin() { Lines({"701 BEGIN"}); }
  void End() { Lines({"702 END"}); }
  void Stopped() { Lines({"703 STOP"}); }
  void Paused() { Lines({"704 PAUSE"}); }
  void Mark(std::string_view name);
  // A sound icon for the server to play.
  void Icon(std::string_view name);
  // 16-bit samples in the voice's format, escaped for the line protocol.
  void Audio(const PcmFormat& format, std::span<const std::uint8_t> samples);
  // False once a write has failed (the server has gone).
  bool Ok() const;

 private:
  void WriteLocked(std::string_view bytes);

  int fd_;
  mutable std::mutex mutex_;
  bool failed_ = false;
};

// Escapes newline and 0x7D bytes as the protocol's audio events need: the
// byte prefixed with 0x7D and its bit 5 inverted.
std::string EscapeAudio(std::span<const std::uint8_t> bytes);

}  // namespace lirvan::sd
