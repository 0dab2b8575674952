#pragma once
// The voice's sound file (veriler/sesler.dat) as the synthesizer reads it:
// mapped whole and read in at start-up, so no unit ever waits for the disk
// (the desktop); or read unit by unit from the file into a block of a set
// size, so that a book written to a file holds a bounded part of the voice
// in memory (lirvan-say --out).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace lirvan {

class VoiceData {
 public:
  enum class Error { Missing, SizeUnavailable, OutOfMemory };

  virtual ~VoiceData() = default;
  // The file's size in bytes.
  virtual std::uint64_t size() const = 0;
  // The file's bytes [offset, offset + length); nothing when the range
  // leaves the file or cannot be read. A streamed voice keeps them valid
  // until the next Forget().
  virtual std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t offset, std::size_t length) = 0;
  // Called between tokens, when no span handed out is in use any more: a
  // streamed voice whose block has filled lets its units go.
  virtual void Forget() {}
  // True when Bytes and Forget change state: the caller then holds them to
  // one thread at a time.
  virtual bool Streamed() const { return false; }
};

// Nothing, with the reason, when the file cannot be opened, its size cannot
// be taken, or it cannot be mapped.
std::unique_ptr<VoiceData> OpenMappedVoice(const std::filesystem::path& path, VoiceData::Error& error);
// budget: the bytes of units kept from token to token.
std::unique_ptr<VoiceData> OpenStreamedVoice(const std::filesystem::path& path, std::size_t budget,
                                             VoiceData::Error& error);

// What a streamed voice keeps: the units a few minutes of speech use
// again and again, and far less than the whole voice.
inline constexpr std::size_t kStreamedVoiceBudget = 16u << 20;

}  // namespace lirvan
