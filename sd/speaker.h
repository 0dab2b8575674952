#pragma once
// Speaks one message at a time on its own thread, so the command thread
// stays free for STOP: text through the engine, index marks reported when
// the sound before them has been handed on, pauses as silence. Reports
// BEGIN, then END, STOP or PAUSE. The engine is used from this thread only.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sd/audio_sink.h"
#include "sd/event_writer.h"
#include "sd/settings.h"
#include "sd/ssml.h"
#include "speech/engine/speech_engine.h"

namespace lirvan::sd {

struct Message {
  std::vector<Piece> pieces;
  Settings settings;
};

class Speaker {
 public:
  Speaker(SpeechEngine& engine, AudioSink& sink, EventWriter& events);
  ~Speaker();
  Speaker(const Speaker&) = delete;
  Speaker& operator=(const Speaker&) = delete;

  // False while another message is being spoken and not being stopped
  // (a new one is then an error); a stopped one is first let finish, which
  // takes a moment.
  bool ReadyForNext();
  // Speaks the message; the caller has seen ReadyForNext.
  void Start(Message message);
  // Cuts the sound at once; the thread then reports STOP.
  void Stop();
  // Ends the message at its next index mark, reporting PAUSE.
  void Pause();
  bool Busy() const;
  // Blocks until no message is being spoken.
  void WaitIdle() const;

 private:
  enum class Outcome { Done, Stopped, Paused };
  void Main(std::stop_token quit);
  Outcome Speak(const Message& message);
  Outcome SpeakText(const std::string& utf8);
  Outcome SpeakSilence(int milliseconds);
  bool StopAsked() const;

  SpeechEngine& engine_;
  AudioSink& sink_;
  EventWriter& events_;
  mutable std::mutex mutex_;
  mutable std::condition_variable_any changed_;
  std::optional<Message> next_;
  bool busy_ = false;
  bool stop_ = false;
  bool pause_ = false;
  std::jthread thread_;  // last: it uses everything above
};

}  // namespace lirvan::sd
