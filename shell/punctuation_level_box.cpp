#include "shell/punctuation_level_box.h"

#include <QCheckBox>

#include "platform/cp1254.h"
#include "shell/punctuation_setting.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

PunctuationLevelBox::PunctuationLevelBox(Speaker& speaker, QCheckBox& onOff, QWidget* parent)
    : QComboBox(parent), speaker_(speaker), onOff_(onOff) {
  setAccessibleName(QStringLiteral("Noktalama düzeyi"));
  for (int level = 0; level <= static_cast<int>(PunctuationLevel::All); ++level) {
    addItem(QString::fromStdString(
        Cp1254ToUtf8(PunctuationLevelWords(static_cast<PunctuationLevel>(level)))));
  }
  Show(static_cast<int>(speaker_.GetPunctuationLevel()));
  OnFocusIn(this, [this] {
    speaker_.SpeakAndWait(Cp("Noktalama düzeyi, ") +
                          PunctuationLevelWords(speaker_.GetPunctuationLevel()));
  });
  connect(this, &QComboBox::activated, this, &PunctuationLevelBox::Chosen);
  connect(&onOff_, &QCheckBox::clicked, this,
          [this] { Show(static_cast<int>(speaker_.GetPunctuationLevel())); });
}

void PunctuationLevelBox::Show(int index) {
  const QSignalBlocker quiet(this);
  setCurrentIndex(index);
}

void PunctuationLevelBox::Chosen(int index) {
  const auto level = static_cast<PunctuationLevel>(index);
  speaker_.SetPunctuationLevel(level);
  onOff_.setChecked(level != PunctuationLevel::None);
  speaker_.SpeakAndWait(PunctuationLevelWords(level));
}

}  // namespace lirvan
