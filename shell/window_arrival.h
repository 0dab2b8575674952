#pragma once
// Whether the focus a view takes arrives from elsewhere (another window, the
// empty desktop) or moves within the view, and the name of the view's window.
#include <QObject>
#include <QPointer>

#include "shell/speech_text.h"

class QWidget;

namespace lirvan {

class WindowArrival : public QObject {
 public:
  // Owned by the view, as its child.
  explicit WindowArrival(QWidget* view);

  // Asked from a focus-in handler: the application announces the change of
  // focus after the widget's own focus event, so the state still says
  // where the focus was before.
  bool Arriving() const { return !m_bInside; }

 private:
  QPointer<QWidget> m_view;
  bool m_bInside = false;
};

// The title of the desktop window that holds the view ("Metin Düzenleyici2"),
// empty outside a desktop window.
SpeechText WindowName(const QWidget* view);

}  // namespace lirvan
