#pragma once
// The mail composer's view: recipient, Cc, Bcc and subject fields above the
// body. Every field announces itself when it takes the focus; Tab (the
// read-next command) moves round the five. One at a time.
#include <array>

#include "shell/tool_view.h"

class QLineEdit;
class QPlainTextEdit;

namespace lirvan {

class Speaker;
class ToolHost;

class SendMail : public CToolView {
  Q_OBJECT

 public:
  explicit SendMail(ToolHost& host);

  bool OnCommand(Command command) override;
  QLineEdit* field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }
  QPlainTextEdit* body() const { return m_body; }
  int currentField() const { return m_nField; }

 private:
  void AnnounceField(int index);
  void MoveToNextField();

  ToolHost& m_host;
  Speaker& m_speaker;
  std::array<QLineEdit*, 4> m_fields{};  // recipient, Cc, Bcc, subject
  QPlainTextEdit* m_body = nullptr;
  int m_nField = 0;  // 0..3 the fields, 4 the body
};

}  // namespace lirvan
