#pragma once
// How the page search asks for its words: one word to find, or two words
// to read between. The view only needs these two questions, so the dialogs
// behind them can be swapped (and faked in tests).
#include <QString>
#include <memory>
#include <optional>
#include <utility>

class QWidget;

namespace lirvan {

class Speaker;

class WordPrompts {
 public:
  virtual ~WordPrompts() = default;
  // The word, when the user confirmed it; nothing when the dialog was
  // cancelled.
  virtual std::optional<QString> AskWord(QWidget* parent) = 0;
  // The two words, however the dialog ended.
  virtual std::pair<QString, QString> AskTwoWords(QWidget* parent) = 0;
};

// The program's spoken dialogs.
std::unique_ptr<WordPrompts> MakeWordPrompts(Speaker& speaker);

}  // namespace lirvan
