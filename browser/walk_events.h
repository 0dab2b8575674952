#pragma once
// What one reading command asks for, in order: sentences to speak and
// actions on page elements. The reading logic only describes them; the view
// speaks them and sends the actions to the page, so the logic is tested
// with a snapshot in and these events out.
#include <string>
#include <variant>
#include <vector>

#include "shell/speech_text.h"

namespace lirvan {

struct Utterance {
  bool wait = false;  // SpeakAndWait rather than Speak
  SpeechText text;
};

enum class PageActionKind {
  Focus,         // give the element the keyboard focus (a link: Enter follows it)
  SelectText,    // focus a field and select its text, ready to be typed over
  SelectOption,  // make the option the selected one, without the page's change handler
};

struct PageAction {
  PageActionKind kind;
  int element;  // index in the snapshot
};

using WalkEvent = std::variant<Utterance, PageAction>;

class WalkEvents {
 public:
  void Speak(SpeechText text) { events_.emplace_back(Utterance{false, std::move(text)}); }
  void SpeakAndWait(SpeechText text) { events_.emplace_back(Utterance{true, std::move(text)}); }
  void Act(PageActionKind kind, int element) { events_.emplace_back(PageAction{kind, element}); }

  const std::vector<WalkEvent>& events() const { return events_; }
  bool empty() const { return events_.empty(); }

 private:
  std::vector<WalkEvent> events_;
};

}  // namespace lirvan
