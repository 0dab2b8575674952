#pragma once
// A question the user answers without sight: it is spoken when it opens,
// each button says its name when it takes the focus, Enter takes the
// focused button and Escape cancels (or says no, when there is no cancel).
#include <QDialog>

#include "shell/speech_text.h"

class QPushButton;

namespace lirvan {

class Speaker;

class SpokenQuestion : public QDialog {
  Q_OBJECT

 public:
  enum class Answer { Yes, No, Cancel };

  SpokenQuestion(Speaker& speaker, QWidget* parent, SpeechText question, bool withCancel);
  // Runs modally.
  Answer Ask();
  QPushButton* button(Answer answer) const;

 private:
  QPushButton* AddButton(const char* text, Answer answer);

  Speaker& speaker_;
  SpeechText question_;
  Answer answer_;
  QPushButton* buttons_[3] = {nullptr, nullptr, nullptr};
};

// "Değişiklikler kaydedilsin mi?" with yes, no and cancel.
SpokenQuestion::Answer AskToSaveChanges(Speaker& speaker, QWidget* parent);

}  // namespace lirvan
