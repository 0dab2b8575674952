#pragma once
// The mail reader's view: the list of fetched messages above the shown
// message. One at a time: the view clears the application's flag when it
// goes.
#include "shell/tool_view.h"

class QListWidget;
class QTextBrowser;

namespace lirvan {

class CLirvanApp;

class ReceiveMail : public CToolView {
  Q_OBJECT

 public:
  explicit ReceiveMail(CLirvanApp& app);
  ~ReceiveMail() override;

  bool OnCommand(int command) override;
  QListWidget* mailList() const { return m_list; }

 private:
  CLirvanApp& m_pApp;
  QListWidget* m_list = nullptr;       // one entry per fetched message
  QTextBrowser* m_browser = nullptr;   // the shown message
};

}  // namespace lirvan
