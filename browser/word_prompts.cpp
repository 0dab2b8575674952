#include "browser/word_prompts.h"

#include "editor/finddialog.h"
#include "editor/readbetween.h"

namespace lirvan {

namespace {

// The editor's spoken find and two-word dialogs, shared by the tools.
class SpokenWordPrompts : public WordPrompts {
 public:
  explicit SpokenWordPrompts(Speaker& speaker) : speaker_(speaker) {}

  std::optional<QString> AskWord(QWidget* parent) override {
    FindDialog dialog(speaker_, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.word();
  }

  std::pair<QString, QString> AskTwoWords(QWidget* parent) override {
    ReadBetweenDialog dialog(speaker_, parent);
    dialog.exec();
    return {dialog.firstWord(), dialog.secondWord()};
  }

 private:
  Speaker& speaker_;
};

}  // namespace

std::unique_ptr<WordPrompts> MakeWordPrompts(Speaker& speaker) {
  return std::make_unique<SpokenWordPrompts>(speaker);
}

}  // namespace lirvan
