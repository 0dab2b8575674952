#pragma once
// The one object through which any text becomes sound. Asynchronous speech
// runs the front end on a producer thread and plays tokens on a consumer
// thread; a newer Speak, like Stop, silences an older one at once, in the
// middle of a word. All operations are called from one thread (the user
// interface's).
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>

#include "frontend/text_front_end.h"
#include "platform/audio_output.h"
#include "speech/engine/token_queue.h"
#include "speech/synthesis/sound_output.h"
#include "speech/synthesis/synthesizer.h"
#include "speech/units/unit_index.h"

namespace lirvan {

struct EngineOptions {
  // The device played on when no output is given.
  AudioBackendKind audio = AudioBackendKind::Default;
  // Seconds of the newest sound the recording keeps; 0 keeps everything.
  int recordingSeconds = 0;
  // False speaks on the calling thread, as when threads cannot be created.
  bool useThreads = true;
  // The folder holding veriler/ (voice, lexicons, the recording); empty:
  // the working directory.
  std::filesystem::path home{};
  // Takes every token's sound instead of the device (a file writer, a
  // collector in tests); not owned, outlives the engine.
  SoundOutput* output = nullptr;
  // The speaking rate in percent, kMinRate..kMaxRate (others are clamped).
  int rate = kNormalRate;
  // False keeps no recording, for a program that will not save it.
  bool keepRecording = true;
  // False reads the voice as it is played and keeps only a bounded part of
  // it in memory (SynthesizerOptions::preloadVoice): for long texts written
  // to a file, where the first word's latency does not matter.
  bool preloadVoice = true;
};

class SpeechEngine {
 public:
  explicit SpeechEngine(const EngineOptions& options = {});
  ~SpeechEngine();
  SpeechEngine(const SpeechEngine&) = delete;
  SpeechEngine& operator=(const SpeechEngine&) = delete;

  // Texts are CP1254. A string is the program's own text, markup obeyed;
  // segmented text reads its plain segments as written (text_segment.h).
  void Speak(std::string_view text);
  void SpeakAndWait(std::string_view text);
  void Speak(SegmentedText text);
  void SpeakAndWait(SegmentedText text);
  void SpeakDirect(std::string_view text);
  void SpeakVerbatim(std::string_view text);
  void SpeakCharacter(char ch);
  void Stop();
  void SetPunctuationReading(int flag);
  bool IsPunctuationReading() const;
  // The finer setting behind the switch: on is All, off is None.
  void SetPunctuationLevel(PunctuationLevel level);
  PunctuationLevel GetPunctuationLevel() const;
  // The speaking rate in percent, from the next token on; a rate outside
  // kMinRate..kMaxRate is clamped. Returns the rate set.
  int SetRate(int percent);
  int Rate() const;

  // True from Speak until the consumer has played the last token.
  bool IsSpeaking() const;
  // Blocks until the asynchronous utterance, if any, has ended.
  void WaitUntilDone() const;

  // Plays one token whose units are exactly the names given (CP1254,
  // separated by blanks) on the calling thread; no names play the pause.
  void PlayUnits(std::string_view names);
  // The recording of everything played (veriler/output.wav in the home by
  // default); false when the file cannot be written.
  SavedRecording SaveRecording() const;
  SavedRecording SaveRecording(const std::filesystem::path& path) const;
  // Bytes recorded so far: grows as each token is handed to the output.
  std::size_t RecordingLength() const;

 private:
  class Sink;
  bool StartThreads();
  void SpeakOnCallingThread();
  void ProducerMain();
  void ConsumerMain(std::stop_source utterance);
  void JoinThreads();
  void CutUntilLocked(std::unique_lock<std::mutex>& stopping);
  // Units for each token of the chain, then its sound, on the calling thread.
  void SpeakChain(std::unique_ptr<Token> chain);

  const bool useThreads_;
  SegmentedText text_;
  std::unique_ptr<TokenQueue> queue_;
  std::unique_ptr<UnitIndex> unitIndex_;
  std::unique_ptr<Sink> sink_;
  std::unique_ptr<TextFrontEnd> frontEnd_;
  std::unique_ptr<Synthesizer> synthesizer_;
  std::mutex playLock_;          // held while one token plays, and by Stop
  std::stop_source utterance_;   // asked to stop by Stop, or by a failing consumer
  std::thread producer_;
  std::thread consumer_;
  std::atomic<bool> producerDone_{true};
  std::atomic<bool> consumerDone_{true};
};

}  // namespace lirvan
