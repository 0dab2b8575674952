#include "shell/accelerator_filter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

#include "shell/command_table.h"
#include "shell/mainfrm.h"

namespace lirvan {

namespace {

// X11 reports the lock states in a key event's native modifiers.
constexpr quint32 kX11LockMask = 0x02;
constexpr quint32 kX11NumLockMask = 0x10;

}  // namespace

AcceleratorFilter::AcceleratorFilter(CMainFrame& frame) : frame_(frame) {
  qApp->installEventFilter(this);
}

AcceleratorFilter::~AcceleratorFilter() { qApp->removeEventFilter(this); }

bool AcceleratorFilter::IsFrameWidget(QObject* watched) const {
  if (!watched->isWidgetType()) return false;
  if (QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr) {
    return false;
  }
  return static_cast<QWidget*>(watched)->window() == &frame_;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
  if (!IsFrameWidget(watched)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyPress && QGuiApplication::platformName() == QLatin1String("xcb")) {
    frame_.UpdateLockIndicators((key->nativeModifiers() & kX11LockMask) != 0,
                                (key->nativeModifiers() & kX11NumLockMask) != 0);
  }
  const std::optional<Command> command = CommandForKey(key->key(), key->modifiers());
  if (!command) return false;
  if (type == QEvent::ShortcutOverride) {
    // Accepting keeps the key from the shortcut map; the key press that
    // follows comes back here.
    event->accept();
    return true;
  }
  frame_.RouteCommand(*command);
  return true;
}

}  // namespace lirvan
