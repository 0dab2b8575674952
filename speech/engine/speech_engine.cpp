#include "speech/engine/speech_engine.h"

#include <exception>
#include <system_error>

#include "frontend/symbols.h"
#include "platform/trace.h"
#include "speech/units/build_units.h"

namespace lirvan {
namespace {

// Releases a semaphore on every way out of a scope, exceptions included.
class Held {
 public:
  explicit Held(std::binary_semaphore& s) : s_(s) { s_.acquire(); }
  ~Held() {
    if (held_) s_.release();
  }
  void Release() {
    if (held_) s_.release();
    held_ = false;
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  std::binary_semaphore& s_;
  bool held_ = true;
};

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
  Sink(TokenQueue& queue, std::atomic<bool>& cancelled) : queue_(queue), cancelled_(cancelled) {}
  void SpeakDirectlyWith(Synthesizer* synthesizer) { direct_ = synthesizer; }
  bool Put(std::unique_ptr<Token> token) override {
    if (direct_ != nullptr) {
      direct_->SpeakToken(*token);
      return true;
    }
    if (cancelled_.load()) return false;
    return queue_.Put(std::move(token));
  }

 private:
  TokenQueue& queue_;
  std::atomic<bool>& cancelled_;
  Synthesizer* direct_ = nullptr;
};

SpeechEngine::SpeechEngine(const EngineOptions& options)
    : useThreads_(options.useThreads),
      queue_(std::make_unique<TokenQueue>()),
      unitIndex_(std::make_unique<UnitIndex>(kIndexPath)),
      sink_(std::make_unique<Sink>(*queue_, cancelled_)),
      frontEnd_(std::make_unique<TextFrontEnd>(*sink_, *unitIndex_)) {
  SynthesizerOptions synth;
  synth.audio = options.audio;
  synth.recordingSeconds = options.recordingSeconds;
  synthesizer_ = std::make_unique<Synthesizer>(*unitIndex_, synth);
}

SpeechEngine::~SpeechEngine() {
  Stop();
  queue_.reset();
  unitIndex_.reset();  // nothing reads it once both threads have ended
  frontEnd_.reset();
  synthesizer_.reset();  // waits for the device, then closes it
}

void SpeechEngine::Speak(std::string_view text) {
  try {
    Stop();
    text_.assign(text);
    queue_->SetProducing(true);
    if (!StartThreads()) SpeakOnCallingThread();
  } catch (const std::exception&) {
    queue_->SetProducing(false);
  }
}

void SpeechEngine::SpeakAndWait(std::string_view text) {
  Speak(text);
  WaitUntilDone();
}

void SpeechEngine::WaitUntilDone() const {
  WaitTrue(producerDone_);
  WaitTrue(consumerDone_);
}

bool SpeechEngine::StartThreads() {
  if (!useThreads_) return false;
  gate_.store(0);
  cancelled_.store(false);
  producerDone_.store(false);
  consumerDone_.store(false);
  try {
    producer_ = std::thread(&SpeechEngine::ProducerMain, this);
  } catch (const std::system_error&) {
    SetTrue(producerDone_);
    SetTrue(consumerDone_);
    return false;
  }
  try {
    consumer_ = std::thread(&SpeechEngine::ConsumerMain, this);
  } catch (const std::system_error&) {
    // The producer stays held at its gate; the next Stop ends it.
    SetTrue(consumerDone_);
    return false;
  }
  gate_.store(1);
  gate_.notify_all();
  return true;
}

void SpeechEngine::SpeakOnCallingThread() {
  sink_->SpeakDirectlyWith(synthesizer_.get());
  try {
    frontEnd_->SetText(text_);
    frontEnd_->Run();
  } catch (const std::exception&) {
  }
  sink_->SpeakDirectlyWith(nullptr);
  queue_->SetProducing(false);
  synthesizer_->WaitUntilIdle();
}

void SpeechEngine::ProducerMain() {
  for (int g = gate_.load(); g == 0; g = gate_.load()) gate_.wait(g);
  if (gate_.load() == 1) {
    Held producing(producerLock_);
    try {
      frontEnd_->SetText(text_);
      frontEnd_->Run();
      TraceLine("OK - producer");
    } catch (const std::exception&) {
    }
  }
  queue_->SetProducing(false);
  SetTrue(producerDone_);
}

void SpeechEngine::ConsumerMain() {
  try {
    while (true) {
      const unsigned seen = queue_->Changes();
      // Read before the queue: the producer clears the flag only after its
      // last Put, so a cleared flag and an empty queue mean nothing is left.
      // Read after, a last token put in between would never be played.
      const bool producing = queue_->Producing();
      std::unique_ptr<Token> token = queue_->Get();
      if (!token && !producing) break;
      Held playing(stopLock_);
      if (cancelled_.load()) {
        playing.Release();
        SetTrue(consumerDone_);
        return;
      }
      if (token) {
        synthesizer_->SpeakToken(*token);
        token.reset();
        playing.Release();
        TraceLine("OK - consumer");
        continue;
      }
      playing.Release();
      queue_->WaitForChange(seen);  // sleeps until the producer puts a token or ends
    }
    synthesizer_->WaitUntilIdle();
  } catch (const std::exception&) {
    TraceLine("consumer is terminated abnormally!");
    cancelled_.store(true);  // a producer waiting for free places must not wait for ever
    queue_->Abort();
  }
  SetTrue(consumerDone_);
}

void SpeechEngine::Stop() {
  try {
    const bool running = producer_.joinable() || consumer_.joinable();
    // Said before taking the lock: a consumer that takes it first, between
    // two tokens, then ends without playing another one.
    if (running) cancelled_.store(true);
    {
      Held stopping(stopLock_);  // waits for the token being played
      if (running) {
        gate_.store(2);
        gate_.notify_all();
        queue_->Abort();
      }
      queue_->Clear();
      synthesizer_->ResetDevice();
    }
    JoinThreads();
    queue_->Clear();  // a token taken but refused on the way out
  } catch (const std::exception&) {
  }
}

void SpeechEngine::JoinThreads() {
  if (producer_.joinable()) producer_.join();
  if (consumer_.joinable()) consumer_.join();
  queue_->Reopen();
  queue_->SetProducing(false);
  cancelled_.store(false);
  SetTrue(producerDone_);
  SetTrue(consumerDone_);
}

bool SpeechEngine::IsSpeaking() const { return !consumerDone_.load(); }

void SpeechEngine::SpeakChain(Token& head, bool firstOnly) {
  for (Token* t = &head; t != nullptr; t = t->next.get()) {
    if (t->kind != TokenKind::Rule) BuildUnits(*t, frontEnd_->syllabifier(), *unitIndex_);
    synthesizer_->SpeakToken(*t);
    if (firstOnly) break;
  }
}

void SpeechEngine::SpeakDirect(std::string_view text) {
  try {
    if (text.empty()) return;
    std::unique_ptr<Token> token = MakeToken(text);
    token->kind = TokenKind::Cardinal;
    frontEnd_->Expand(*token);
    SpeakChain(*token, false);
  } catch (const std::exception&) {
  }
}

void SpeechEngine::SpeakVerbatim(std::string_view text) {
  try {
    std::unique_ptr<Token> token = MakeToken(text);
    token->kind = TokenKind::Word;
    frontEnd_->Expand(*token);
    SpeakChain(*token, true);
    synthesizer_->WaitUntilIdle();
  } catch (const std::exception&) {
  }
}

void SpeechEngine::SpeakCharacter(char ch) {
  try {
    std::unique_ptr<Token> chain = NameCharacter(ch);
    for (const Token* t = chain.get(); t != nullptr; t = t->next.get()) SpeakVerbatim(t->spoken);
  } catch (const std::exception&) {
  }
}

void SpeechEngine::SetPunctuationReading(int flag) {
  frontEnd_->SetReadPunctuation((flag & 0xFF) != 0);
}

bool SpeechEngine::IsPunctuationReading() const { return frontEnd_->ReadPunctuation(); }

}  // namespace lirvan
