#pragma once
// The mail reader's view: the list of fetched messages above the shown
// message. One at a time.
#include "shell/tool_view.h"

class QListWidget;
class QTextBrowser;

namespace lirvan {

class Speaker;
class ToolHost;

class ReceiveMail : public CToolView {
  Q_OBJECT

 public:
  explicit ReceiveMail(ToolHost& host);

  bool OnCommand(Command command) override;
  QListWidget* mailList() const { return m_list; }

 private:
  ToolHost& m_host;
  Speaker& m_speaker;
  QListWidget* m_list = nullptr;       // one entry per fetched message
  QTextBrowser* m_browser = nullptr;   // the shown message
};

}  // namespace lirvan
