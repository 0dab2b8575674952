#pragma once
// "Iki Kelime Arasını Oku": two spoken fields, the first and the second
// word of a stretch to read. Run it modally; after the OK result the caller
// takes both words.
#include "editor/word_fields_dialog.h"

namespace lirvan {

class ReadBetweenDialog : public WordFieldsDialog {
  Q_OBJECT

 public:
  explicit ReadBetweenDialog(Speaker& speaker, QWidget* parent = nullptr);

  QString firstWord() const { return fieldText(0); }
  QString secondWord() const { return fieldText(1); }
};

}  // namespace lirvan
