#pragma once
// The base of the four tool views: the first stop of a routed command.
#include <QWidget>

namespace lirvan {

class CToolView : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  // True when this view handles the command; an unhandled one goes on to
  // the document, the main frame and the application.
  virtual bool OnCommand(int command) = 0;
};

}  // namespace lirvan
