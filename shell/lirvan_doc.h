#pragma once
// The document of every tool: it holds no data and only handles the four
// open-tool commands while a tool window is active.
#include <QObject>

namespace lirvan {

class CLirvanApp;

class CLirvanDoc : public QObject {
  Q_OBJECT

 public:
  explicit CLirvanDoc(CLirvanApp& app) : app_(app) {}

  bool OnCommand(int command);

 private:
  // The single-instance mail tools: open one, or bring the open one forward.
  void OpenOrActivate(unsigned char& openFlag, int templateIndex, const char* messageUtf8);

  CLirvanApp& app_;
};

}  // namespace lirvan
