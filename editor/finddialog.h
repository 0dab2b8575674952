#pragma once
// "Kelime Bul": one spoken field for the word to look for. Run it modally;
// after the OK result (Enter) the caller takes the word. It always starts
// empty.
#include "editor/word_fields_dialog.h"

namespace lirvan {

class FindDialog : public WordFieldsDialog {
  Q_OBJECT

 public:
  explicit FindDialog(Speaker& speaker, QWidget* parent = nullptr);

  // The word as typed (Unicode: the widget's text is the truth).
  QString word() const { return fieldText(0); }
};

}  // namespace lirvan
