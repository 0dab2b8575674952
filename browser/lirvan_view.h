#pragma once
// The web browser's view. Until a page has been loaded it names itself
// "Internet Gezgini " whenever it takes the focus.
#include <string>

#include "shell/tool_view.h"

class QTextBrowser;

namespace lirvan {

class Speaker;
class ToolHost;

class CLirvanView : public CToolView {
  Q_OBJECT

 public:
  explicit CLirvanView(ToolHost& host);

  bool OnCommand(Command command) override;

 private:
  Speaker& m_speaker;
  QTextBrowser* m_page = nullptr;
  std::string m_strPageName;  // CP1254: what the focus announces
};

}  // namespace lirvan
