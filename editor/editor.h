#pragma once
// The text editor's view: one plain-text control, announced when it takes
// the focus.
#include "shell/tool_view.h"

class QPlainTextEdit;

namespace lirvan {

class Speaker;
class ToolHost;

class Editor : public CToolView {
  Q_OBJECT

 public:
  explicit Editor(ToolHost& host);

  bool OnCommand(Command command) override;
  QPlainTextEdit* textControl() const { return m_richText; }

 private:
  ToolHost& m_host;
  Speaker& m_speaker;
  QPlainTextEdit* m_richText = nullptr;
};

}  // namespace lirvan
