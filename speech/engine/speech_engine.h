#pragma once
// The one object through which any text becomes sound. Asynchronous speech
// runs the front end on a producer thread and plays tokens on a consumer
// thread; a newer Speak always cuts an older one off between two tokens.
// All operations are called from one thread (the user interface's).
#include <atomic>
#include <memory>
#include <semaphore>
#include <string>
#include <string_view>
#include <thread>

#include "frontend/text_front_end.h"
#include "platform/audio_output.h"
#include "speech/synthesis/synthesizer.h"
#include "speech/engine/token_queue.h"
#include "speech/units/unit_index.h"

namespace lirvan {

struct EngineOptions {
  AudioBackendKind audio = AudioBackendKind::Default;
  // Seconds of the newest sound the recording keeps; 0 keeps everything.
  int recordingSeconds = 0;
  // False speaks on the calling thread, as when threads cannot be created.
  bool useThreads = true;
};

class SpeechEngine {
 public:
  // Reads veriler/ under the working directory.
  explicit SpeechEngine(const EngineOptions& options = {});
  ~SpeechEngine();
  SpeechEngine(const SpeechEngine&) = delete;
  SpeechEngine& operator=(const SpeechEngine&) = delete;

  // Texts are CP1254.
  void Speak(std::string_view text);
  void SpeakAndWait(std::string_view text);
  void SpeakDirect(std::string_view text);
  void SpeakVerbatim(std::string_view text);
  void SpeakCharacter(char ch);
  void Stop();
  void SetPunctuationReading(int flag);
  bool IsPunctuationReading() const;

  // True from Speak until the consumer has played the last token.
  bool IsSpeaking() const;
  // Blocks until the asynchronous utterance, if any, has ended.
  void WaitUntilDone() const;

  Synthesizer& synthesizer() { return *synthesizer_; }
  TextFrontEnd& frontEnd() { return *frontEnd_; }
  const UnitIndex& unitIndex() const { return *unitIndex_; }

 private:
  class Sink;
  bool StartThreads();
  void SpeakOnCallingThread();
  void ProducerMain();
  void ConsumerMain();
  void JoinThreads();
  void SpeakChain(Token& head, bool firstOnly);

  const bool useThreads_;
  std::string text_;
  std::thread producer_;
  std::thread consumer_;
  std::unique_ptr<TokenQueue> queue_;
  std::unique_ptr<UnitIndex> unitIndex_;
  std::unique_ptr<Sink> sink_;
  std::unique_ptr<TextFrontEnd> frontEnd_;
  std::unique_ptr<Synthesizer> synthesizer_;
  std::binary_semaphore producerLock_{1};  // one producer at a time
  std::binary_semaphore stopLock_{1};      // held while one token plays, and by Stop
  std::atomic<bool> cancelled_{false};     // the current utterance is being stopped
  std::atomic<int> gate_{0};               // 0 wait, 1 run, 2 abandon
  std::atomic<bool> consumerDone_{true};
  std::atomic<bool> producerDone_{true};
};

}  // namespace lirvan
