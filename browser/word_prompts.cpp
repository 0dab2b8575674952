#include "browser/word_prompts.h"

namespace lirvan {

namespace {

class PendingPrompts : public WordPrompts {
 public:
  std::optional<QString> AskWord(QWidget* /*parent*/) override { return std::nullopt; }
  std::pair<QString, QString> AskTwoWords(QWidget* /*parent*/) override { return {}; }
};

}  // namespace

std::unique_ptr<WordPrompts> MakeWordPrompts(Speaker& /*speaker*/) {
  return std::make_unique<PendingPrompts>();
}

}  // namespace lirvan
