#include "sd/speaker.h"

#include <chrono>

#include "frontend/speech_text.h"
#include "sd/spoken_names.h"

namespace lirvan::sd {
namespace {

// How often the end of the engine's speech is looked for; a STOP does not
// wait for it (the sink is cut at once).
constexpr auto kPoll = std::chrono::milliseconds(1);
constexpr int kSilenceStepMs = 50;

}  // namespace

Speaker::Speaker(SpeechEngine& engine, AudioSink& sink, EventWriter& events)
    : engine_(engine), sink_(sink), events_(events), thread_([this](std::stop_token quit) { Main(quit); }) {}

Speaker::~Speaker() {
  Stop();
  thread_.request_stop();
  changed_.notify_all();
  thread_.join();
}

bool Speaker::ReadyForNext() {
  std::unique_lock lock(mutex_);
  if (busy_ && !stop_) return false;
  changed_.wait(lock, [&] { return !busy_; });
  return true;
}

void Speaker::Start(Message message) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !busy_; });
  next_ = std::move(message);
  busy_ = true;
  stop_ = false;
  pause_ = false;
  sink_.Reopen();
  changed_.notify_all();
}

void Speaker::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (!busy_) return;
    stop_ = true;
  }
  sink_.Cut();
  changed_.notify_all();
}

void Speaker::Pause() {
  std::lock_guard lock(mutex_);
  if (busy_) pause_ = true;
}

bool Speaker::Busy() const {
  std::lock_guard lock(mutex_);
  return busy_;
}

void Speaker::WaitIdle() const {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !busy_; });
}

bool Speaker::StopAsked() const {
  std::lock_guard lock(mutex_);
  return stop_;
}

void Speaker::Main(std::stop_token quit) {
  for (;;) {
    Message message;
    {
      std::unique_lock lock(mutex_);
      if (!changed_.wait(lock, quit, [&] { return next_.has_value(); })) return;
      message = std::move(*next_);
      next_.reset();
    }
    const Outcome outcome = Speak(message);
    // The last event and the end of being busy are one step: the server
    // sends the next message as soon as it reads the event.
    std::lock_guard lock(mutex_);
    if (outcome == Outcome::Done) events_.End();
    if (outcome == Outcome::Stopped) events_.Stopped();
    if (outcome == Outcome::Paused) events_.Paused();
    busy_ = false;
    changed_.notify_all();
  }
}

Speaker::Outcome Speaker::Speak(const Message& message) {
  const Settings& s = message.settings;
  engine_.SetRate(EnginePercent(s.rate));
  // Spelled text names every character already: the commas between the
  // names are not read out.
  engine_.SetPunctuationLevel(s.spelling ? PunctuationLevel::None : s.punctuation);
  sink_.SetVoice(s.volume, s.pitch);
  events_.Begin();
  for (const Piece& piece : message.pieces) {
    if (StopAsked()) return Outcome::Stopped;
    Outcome outcome = Outcome::Done;
    switch (piece.kind) {
      case Piece::Kind::Text:
        outcome = SpeakText(s.spelling ? SpelledText(piece.text, s.capLetters) : piece.text);
        break;
      case Piece::Kind::Break:
        outcome = SpeakSilence(piece.milliseconds);
        break;
      case Piece::Kind::Icon:
        // The server plays its icons; played by us, the icon's name is said.
        if (sink_.method() == AudioMethod::Server) {
          events_.Icon(piece.text);
        } else {
          outcome = SpeakText(piece.text);
        }
        break;
      case Piece::Kind::Mark: {
        events_.Mark(piece.text);
        std::lock_guard lock(mutex_);
        if (pause_) return Outcome::Paused;
        break;
      }
    }
    if (outcome != Outcome::Done) return outcome;
  }
  return StopAsked() ? Outcome::Stopped : Outcome::Done;
}

Speaker::Outcome Speaker::SpeakText(const std::string& utf8) {
  const std::string text = SpeechTextFromUtf8(utf8);
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) return Outcome::Done;
  // Other programs' text: a bracket in it is a character, never markup.
  engine_.Speak(SegmentedText{{text, true}});
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, kPoll, [&] { return stop_; });
      if (stop_) break;
    }
    if (!engine_.IsSpeaking()) return Outcome::Done;
  }
  engine_.Stop();
  return Outcome::Stopped;
}

// In steps, so a STOP is seen within one.
Speaker::Outcome Speaker::SpeakSilence(int milliseconds) {
  const std::size_t step = std::max<std::size_t>(sink_.FramesIn(kSilenceStepMs), 1);
  for (std::size_t left = sink_.FramesIn(milliseconds); left > 0;) {
    if (StopAsked()) return Outcome::Stopped;
    const std::size_t frames = std::min(left, step);
    sink_.PlaySilence(frames);
    left -= frames;
  }
  return Outcome::Done;
}

}  // namespace lirvan::sd
