#pragma once
// The base of the tool views: the first stop of a routed command, and the
// one asked before its window closes.
#include <QWidget>

#include "shell/commands.h"

namespace lirvan {

class CToolView : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // True when this view handles the command; an unhandled one goes on to
  // the document, the main frame and the application.
  virtual bool OnCommand(Command command) = 0;

  // Asked before the view's window closes (alone or with the program); a
  // view holding unsaved work may ask the user and refuse.
  virtual bool QueryClose() { return true; }
};

}  // namespace lirvan
