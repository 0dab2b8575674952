#include "speech/engine/speech_engine.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <sstream>
#include <system_error>

#include "frontend/symbols.h"
#include "platform/trace.h"
#include "speech/units/build_units.h"
#include "speech/units/chain.h"

namespace lirvan {
namespace {

void TraceFailure(std::string_view what, const char* reason) noexcept {
  if (!TraceEnabled()) return;
  try {
    TraceLine(std::string(what) + " failed: " + reason);
  } catch (const std::exception&) {
    std::fputs("lirvan: a failure could not be traced\n", stderr);
  }
}

// Runs an engine operation. A failure inside it goes to the trace with what
// failed; the operation then returns quietly (nothing is spoken of it).
template <typename Work>
bool Guarded(std::string_view what, Work&& work) noexcept {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    TraceFailure(what, e.what());
  } catch (...) {
    TraceFailure(what, "unknown exception");
  }
  return false;
}

void WaitTrue(const std::atomic<bool>& flag) {
  for (bool v = flag.load(); !v; v = flag.load()) flag.wait(v);
}

void SetTrue(std::atomic<bool>& flag) {
  flag.store(true);
  flag.notify_all();
}

}  // namespace

// Where the front end puts its tokens: the queue, or, when speaking on the
// calling thread, straight to the synthesizer, so a text of any length is
// spoken whole.
class SpeechEngine::Sink final : public TokenSink {
 public:
  explicit Sink(TokenQueue& queue) : queue_(queue) {}
  void SpeakDirectlyWith(Synthesizer* synthesizer) { direct_ = synthesizer; }
  // Set before each producer starts: its Put gives up once the utterance stops.
  void StopWith(std::stop_token stop) { stop_ = std::move(stop); }
  bool Put(std::unique_ptr<Token> token) override {
    if (direct_ != nullptr) {
      direct_->SpeakToken(*token);
      return true;
    }
    return queue_.Put(std::move(token), stop_);
  }

 private:
  TokenQueue& queue_;
  Synthesizer* direct_ = nullptr;
  std::stop_token stop_;
};

SpeechEngine::SpeechEngine(const EngineOptions& options)
    : useThreads_(options.useThreads),
      queue_(std::make_unique<TokenQueue>()),
      unitIndex_(std::make_unique<UnitIndex>(IndexFile(options.home))),
      sink_(std::make_unique<Sink>(*queue_)),
      frontEnd_(std::make_unique<TextFrontEnd>(*sink_, *unitIndex_, options.home)),
      synthesizer_(std::make_unique<Synthesizer>(
          *unitIndex_, SynthesizerOptions{options.audio, options.recordingSeconds, options.home,
                                          options.output, options.rate,
                                          options.keepRecording, options.preloadVoice})) {}

SpeechEngine::~SpeechEngine() {
  Stop();
  queue_.reset();
  unitIndex_.reset();  // nothing reads it once both threads have ended
  frontEnd_.reset();
  synthesizer_.reset();  // waits for the device, then closes it
}

void SpeechEngine::Speak(std::string_view text) { Speak(SegmentedText{{std::string(text), false}}); }

void SpeechEngine::Speak(SegmentedText text) {
  const bool started = Guarded("Speak", [&] {
    Stop();
    text_ = std::move(text);
    queue_->SetProducing(true);
    if (!StartThreads()) SpeakOnCallingThread();
  });
  if (!started) queue_->SetProducing(false);
}

void SpeechEngine::SpeakAndWait(std::string_view text) {
  Speak(text);
  WaitUntilDone();
}

void SpeechEngine::SpeakAndWait(SegmentedText text) {
  Speak(std::move(text));
  WaitUntilDone();
}

void SpeechEngine::WaitUntilDone() const {
  WaitTrue(producerDone_);
  WaitTrue(consumerDone_);
}

// The consumer starts first and the producer only once the consumer runs,
// so the front end never has two users when a thread cannot be created.
bool SpeechEngine::StartThreads() {
  if (!useThreads_) return false;
  utterance_ = std::stop_source();
  sink_->StopWith(utterance_.get_token());
  producerDone_.store(false);
  consumerDone_.store(false);
  try {
    consumer_ = std::thread(&SpeechEngine::ConsumerMain, this, utterance_);
  } catch (const std::system_error& e) {
    TraceFailure("starting the consumer", e.what());
    SetTrue(producerDone_);
    SetTrue(consumerDone_);
    return false;
  }
  try {
    producer_ = std::thread(&SpeechEngine::ProducerMain, this);
  } catch (const std::system_error& e) {
    TraceFailure("starting the producer", e.what());
    utterance_.request_stop();  // the waiting consumer ends at once
    consumer_.join();
    SetTrue(producerDone_);
    return false;
  }
  return true;
}

void SpeechEngine::SpeakOnCallingThread() {
  sink_->SpeakDirectlyWith(synthesizer_.get());
  Guarded("speaking on the calling thread", [&] {
    frontEnd_->SetText(text_);
    frontEnd_->Run();
  });
  sink_->SpeakDirectlyWith(nullptr);
  queue_->SetProducing(false);
  synthesizer_->WaitUntilIdle();
}

void SpeechEngine::ProducerMain() {
  Guarded("producer", [&] {
    frontEnd_->SetText(text_);
    frontEnd_->Run();
    TraceLine("OK - producer");
  });
  queue_->SetProducing(false);
  SetTrue(producerDone_);
}

void SpeechEngine::ConsumerMain(std::stop_source utterance) {
  const std::stop_token stop = utterance.get_token();
  const bool ended = Guarded("consumer", [&] {
    while (std::unique_ptr<Token> token = queue_->Next(stop)) {
      std::lock_guard playing(playLock_);
      // A Stop that came while the token waited: it is not played.
      if (stop.stop_requested()) return;
      synthesizer_->SpeakToken(*token);
      TraceLine("OK - consumer");
    }
    if (!stop.stop_requested()) synthesizer_->WaitUntilIdle();
  });
  if (!ended) {
    TraceLine("consumer is terminated abnormally!");
    utterance.request_stop();  // a producer waiting for free places must not wait for ever
  }
  SetTrue(consumerDone_);
}

void SpeechEngine::Stop() {
  Guarded("Stop", [&] {
    const bool running = producer_.joinable() || consumer_.joinable();
    // Asked before taking the lock: a consumer that takes it first, between
    // two tokens, then ends without playing another one.
    if (running) utterance_.request_stop();
    {
      std::unique_lock stopping(playLock_, std::defer_lock);
      if (running) {
        CutUntilLocked(stopping);
      } else {
        stopping.lock();
      }
      queue_->Clear();
      synthesizer_->ResetDevice();
    }
    JoinThreads();
    queue_->Clear();  // a token taken but refused on the way out
  });
}

// The token being played is cut, not played out. The consumer may be just
// about to hand a token to the device (the cut found nothing playing), so
// the cut is repeated until the consumer lets go of the lock: such a token
// is cut within a poll of starting.
//
// A plain try_lock and a short sleep rather than a timed wait: the
// sanitizer that checks the threads does not see timed locks, and the cut
// itself comes before any wait.
void SpeechEngine::CutUntilLocked(std::unique_lock<std::mutex>& stopping) {
  constexpr auto kPoll = std::chrono::microseconds(200);
  for (synthesizer_->ResetDevice(); !stopping.try_lock(); synthesizer_->ResetDevice()) {
    std::this_thread::sleep_for(kPoll);
  }
}

void SpeechEngine::JoinThreads() {
  if (producer_.joinable()) producer_.join();
  if (consumer_.joinable()) consumer_.join();
  queue_->SetProducing(false);
  SetTrue(producerDone_);
  SetTrue(consumerDone_);
}

bool SpeechEngine::IsSpeaking() const { return !consumerDone_.load(); }

void SpeechEngine::SpeakChain(std::unique_ptr<Token> chain) {
  while (chain) {
    // A very long word is spoken in pieces: its sound is never built whole.
    chain = CutLongToken(std::move(chain));
    std::unique_ptr<Token> rest = chain->TakeNext();
    if (chain->kind != TokenKind::Rule) BuildUnits(*chain, frontEnd_->syllabifier(), *unitIndex_);
    synthesizer_->SpeakToken(*chain);
    chain = std::move(rest);
  }
}

void SpeechEngine::SpeakDirect(std::string_view text) {
  Guarded("SpeakDirect", [&] {
    if (text.empty()) return;
    std::unique_ptr<Token> token = MakeToken(text);
    token->kind = TokenKind::Cardinal;
    frontEnd_->Expand(*token);
    SpeakChain(std::move(token));
  });
}

void SpeechEngine::SpeakVerbatim(std::string_view text) {
  Guarded("SpeakVerbatim", [&] {
    std::unique_ptr<Token> token = MakeToken(text);
    token->kind = TokenKind::Word;
    frontEnd_->Expand(*token);
    token->next.reset();  // one word: what naming added after it is not said
    SpeakChain(std::move(token));
    synthesizer_->WaitUntilIdle();
  });
}

void SpeechEngine::SpeakCharacter(char ch) {
  Guarded("SpeakCharacter", [&] {
    std::unique_ptr<Token> chain = NameCharacter(ch);
    for (const Token* t = chain.get(); t != nullptr; t = t->next.get()) SpeakVerbatim(t->spoken);
  });
}

void SpeechEngine::PlayUnits(std::string_view names) {
  Guarded("PlayUnits", [&] {
    Token token;
    token.kind = TokenKind::Word;
    Chain<UnitNode> units;
    std::istringstream in{std::string(names)};
    for (std::string name; in >> name; ++token.unitCount) {
      units.Append(std::make_unique<UnitNode>(name));
    }
    // No names: one empty unit, which plays as the pause.
    token.units = units.Empty() ? std::make_unique<UnitNode>() : units.Take();
    synthesizer_->SpeakToken(token);
    synthesizer_->WaitUntilIdle();
  });
}

SavedRecording SpeechEngine::SaveRecording() const { return synthesizer_->SaveRecording(); }

SavedRecording SpeechEngine::SaveRecording(const std::filesystem::path& path) const {
  return synthesizer_->SaveRecording(path);
}

std::size_t SpeechEngine::RecordingLength() const { return synthesizer_->RecordingLength(); }

void SpeechEngine::SetPunctuationReading(int flag) {
  frontEnd_->SetReadPunctuation((flag & 0xFF) != 0);
}

bool SpeechEngine::IsPunctuationReading() const { return frontEnd_->ReadPunctuation(); }

void SpeechEngine::SetPunctuationLevel(PunctuationLevel level) { frontEnd_->SetPunctuation(level); }

PunctuationLevel SpeechEngine::GetPunctuationLevel() const { return frontEnd_->Punctuation(); }

int SpeechEngine::SetRate(int percent) { return synthesizer_->SetRate(percent); }

int SpeechEngine::Rate() const { return synthesizer_->Rate(); }

}  // namespace lirvan
