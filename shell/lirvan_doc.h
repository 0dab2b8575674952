#pragma once
// The document of every tool: it holds no data and only handles the four
// open-tool commands while a tool window is active.
#include <QObject>

#include "shell/commands.h"

namespace lirvan {

class CMainFrame;

class CLirvanDoc : public QObject {
  Q_OBJECT

 public:
  explicit CLirvanDoc(CMainFrame& frame) : frame_(frame) {}

  bool OnCommand(Command command);

 private:
  CMainFrame& frame_;
};

}  // namespace lirvan
