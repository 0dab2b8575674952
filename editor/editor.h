#pragma once
// The text editor's view: one plain-text control, announced when it takes
// the focus.
#include "shell/tool_view.h"

class QPlainTextEdit;

namespace lirvan {

class CLirvanApp;

class Editor : public CToolView {
  Q_OBJECT

 public:
  explicit Editor(CLirvanApp& app);

  bool OnCommand(int command) override;
  QPlainTextEdit* textControl() const { return m_richText; }

 private:
  CLirvanApp& m_pApp;
  QPlainTextEdit* m_richText = nullptr;
};

}  // namespace lirvan
