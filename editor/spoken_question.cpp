#include "editor/spoken_question.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp1254.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

SpokenQuestion::SpokenQuestion(Speaker& speaker, QWidget* parent, SpeechText question,
                               bool withCancel)
    : QDialog(parent),
      speaker_(speaker),
      question_(std::move(question)),
      answer_(withCancel ? Answer::Cancel : Answer::No) {
  setWindowTitle(QStringLiteral("Lirvan"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  const std::string shown = Cp1254ToUtf8(question_.Joined());
  layout->addWidget(MakeOwnedByParent<QLabel>(QString::fromStdString(shown), this));
  auto* row = MakeOwnedByParent<QHBoxLayout>();
  layout->addLayout(row);
  row->addWidget(AddButton("Evet", Answer::Yes));
  row->addWidget(AddButton("Hayır", Answer::No));
  if (withCancel) row->addWidget(AddButton("Vazgeç", Answer::Cancel));
  button(Answer::Yes)->setFocus(Qt::OtherFocusReason);
}

QPushButton* SpokenQuestion::AddButton(const char* text, Answer answer) {
  auto* button = MakeOwnedByParent<QPushButton>(QString::fromUtf8(text), this);
  button->setAutoDefault(true);
  buttons_[static_cast<int>(answer)] = button;
  const std::string name = Cp(text);
  OnFocusIn(button, [this, name] { speaker_.Speak(name); });
  connect(button, &QPushButton::clicked, this, [this, answer] {
    answer_ = answer;
    accept();
  });
  return button;
}

QPushButton* SpokenQuestion::button(Answer answer) const {
  return buttons_[static_cast<int>(answer)];
}

SpokenQuestion::Answer SpokenQuestion::Ask() {
  // The whole question is heard before the first button names itself.
  speaker_.SpeakAndWait(question_);
  exec();
  return answer_;
}

SpokenQuestion::Answer AskToSaveChanges(Speaker& speaker, QWidget* parent) {
  SpokenQuestion question(speaker, parent, Cp("Değişiklikler kaydedilsin mi?"), true);
  return question.Ask();
}

}  // namespace lirvan
