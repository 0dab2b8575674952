#pragma once
// Joins a token's recorded units into one wave, appends the pause and hands
// it to the output; keeps a recording of everything played.
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "speech/synthesis/rate_output.h"
#include "speech/synthesis/recording.h"
#include "speech/synthesis/sound_output.h"
#include "speech/synthesis/voice_data.h"
#include "speech/synthesis/volume.h"
#include "speech/synthesis/wave.h"

namespace lirvan {

class UnitIndex;
struct Token;

// The 44-byte canonical RIFF/WAVE header, fields little-endian.
struct WaveHeader {
  std::uint32_t packageLength = 0;
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t byteRate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint32_t dataLength = 0;
  std::array<std::uint8_t, 44> raw{};  // as read; a saved recording keeps it but its two sizes

  static bool Parse(const std::uint8_t* bytes, std::size_t length, WaveHeader& out);
};

struct SynthesizerOptions {
  // The device played on when no output is given.
  AudioBackendKind audio = AudioBackendKind::Default;
  // Seconds of the newest sound the recording keeps; 0 keeps everything.
  int recordingSeconds = 0;
  // The folder holding veriler/; empty: the working directory.
  std::filesystem::path home{};
  // Takes the sound instead of the device; not owned, outlives the synthesizer.
  SoundOutput* output = nullptr;
  // The speaking rate in percent (kMinRate..kMaxRate).
  int rate = kNormalRate;
  // False keeps no recording (only its length is counted): for a program
  // that will not save it.
  bool keepRecording = true;
  // False reads the voice unit by unit from its file into a block of
  // kStreamedVoiceBudget bytes (voice_data.h), so a long text written to a
  // file holds only a bounded part of the voice.
  bool preloadVoice = true;
};

// Where a recording was saved: one file, or more when it was longer than a
// WAVE file can hold (NAME-2.wav ...). False when it could not be written.
struct SavedRecording {
  bool ok = false;
  std::vector<std::filesystem::path> files;
  explicit operator bool() const { return ok; }
};

// A pause longer than this is a broken voice (an index whose smallest
// offset lies far into the data).
inline constexpr int kMaxPauseSeconds = 2;

class Synthesizer {
 public:
  // Loads veriler/sesler.dat and opens the output with the header's format.
  Synthesizer(const UnitIndex& unitIndex, const SynthesizerOptions& options = {});
  ~Synthesizer();
  Synthesizer(const Synthesizer&) = delete;
  Synthesizer& operator=(const Synthesizer&) = delete;

  // Returns when the token's sound has been played.
  void SpeakToken(const Token& token);
  bool IsPlaying() const { return rate_->IsPlaying(); }
  void WaitUntilIdle() const { rate_->WaitUntilIdle(); }
  // Cuts the sound being played at once. Any thread.
  void ResetDevice() { rate_->Reset(); }
  // Applies from the next token on, clamped to kMinRate..kMaxRate; returns
  // the rate set.
  int SetRate(int percent);
  int Rate() const { return rate_->Rate(); }
  // Writes the recording as a WAVE file, by default veriler/output.wav in
  // the home folder, with the voice's header and true sizes; false (and
  // error -4) when a file cannot be written.
  SavedRecording SaveRecording() const;
  SavedRecording SaveRecording(const std::filesystem::path& path) const;
  // The same, splitting past dataLimit bytes a file (tests use a small one).
  SavedRecording SaveRecording(const std::filesystem::path& path, std::uint64_t dataLimit) const;

  // The volume of what is played (a volume rule triples it); the recording
  // keeps the sound as the voice holds it.
  std::uint32_t GetVolume() const { return volume_.load(); }
  void SetVolume(std::uint32_t value) { volume_.store(value); }

  const WaveHeader& header() const { return header_; }
  PcmFormat format() const;
  const Wave& pauseWave() const { return pauseWave_; }
  std::size_t dataSize() const { return dataSize_; }
  // The recording as SaveRecording writes its data (the newest bytes within
  // the limit).
  std::vector<std::uint8_t> RecordingBytes() const;
  // Bytes recorded so far (before any trimming to the limit).
  std::size_t RecordingLength() const;

 private:
  void Load(const std::filesystem::path& home);
  void TakePause(std::int64_t smallestOffset);
  std::optional<std::span<const std::uint8_t>> FindUnit(const std::string& name);
  // Appends the bytes of each of the token's units; false when one is missing.
  bool FindUnits(const Token& token, std::vector<std::span<const std::uint8_t>>& pieces);
  void ApplyRule(const Token& token);
  // The token's sound, then the pause once more, as the recording keeps it.
  void Record(SoundPieces pieces);

  std::filesystem::path home_;
  mutable std::mutex recordingMutex_;  // tokens may come from two threads
  Recording recording_;
  Wave pauseWave_;
  WaveHeader header_;
  std::unique_ptr<VoiceData> voice_;  // the sound file
  std::size_t dataSize_ = 0;          // its data area, after the header
  std::mutex voiceMutex_;             // a streamed voice: one token at a time
  std::int64_t totalSize_ = 0;
  const UnitIndex& unitIndex_;
  std::atomic<std::uint32_t> volume_{kFullVolume};
  const bool preloadVoice_;
  std::unique_ptr<SoundOutput> device_;  // set when no output was given
  SoundOutput* output_ = nullptr;
  std::unique_ptr<RateOutput> rate_;     // before output_: everything is played through it
};

}  // namespace lirvan
