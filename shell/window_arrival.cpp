#include "shell/window_arrival.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QWidget>

#include "shell/text.h"

namespace lirvan {

WindowArrival::WindowArrival(QWidget* view) : QObject(view), m_view(view) {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    m_bInside = m_view != nullptr && now != nullptr && (now == m_view || m_view->isAncestorOf(now));
  });
}

SpeechText WindowName(const QWidget* view) {
  for (const QWidget* w = view; w != nullptr; w = w->parentWidget()) {
    if (const auto* window = qobject_cast<const QMdiSubWindow*>(w)) return Plain(window->windowTitle());
  }
  return {};
}

}  // namespace lirvan
