#include "shell/view_helpers.h"

#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include "shell/punctuation_setting.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"

namespace lirvan {

namespace {

constexpr const char* kClosingProperty = "lirvanClosingQuietly";

class FocusWatcher : public QObject {
 public:
  FocusWatcher(QWidget* widget, QEvent::Type type, std::function<void()> handler)
      : QObject(widget), watched_(widget), type_(type), handler_(std::move(handler)) {
    widget->installEventFilter(this);
  }

 protected:
  // A window being activated gives the focus again to the control that
  // already holds it; only a real change is announced.
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut) return false;
    const bool in = type == QEvent::FocusIn;
    if (in == focused_) return false;
    focused_ = in;
    if (type == type_ && !watched_->window()->property(kClosingProperty).toBool()) handler_();
    return false;
  }

 private:
  QWidget* watched_;
  QEvent::Type type_;
  std::function<void()> handler_;
  bool focused_ = false;
};

}  // namespace

void OnFocusIn(QWidget* widget, std::function<void()> handler) {
  // The watcher is a child of the widget and goes with it.
  std::make_unique<FocusWatcher>(widget, QEvent::FocusIn, std::move(handler)).release();
}

void OnFocusOut(QWidget* widget, std::function<void()> handler) {
  std::make_unique<FocusWatcher>(widget, QEvent::FocusOut, std::move(handler)).release();
}

void SetClosingQuietly(QWidget* window, bool closing) {
  window->setProperty(kClosingProperty, closing);
}

void TogglePunctuation(Speaker& speaker, QWidget* parent, const char* onText,
                       const char* offText) {
  const bool wasOn = speaker.GetPunctuationLevel() != PunctuationLevel::None;
  speaker.SetPunctuationLevel(wasOn ? PunctuationLevel::None : speaker.PunctuationLevelWhenOn());
  const bool on = speaker.IsPunctuationReading() != 0;
  // The box takes the focus; what it shows is heard, with the level.
  speaker.Speak(PunctuationAnnouncement(speaker.GetPunctuationLevel()));
  QMessageBox::information(parent, QStringLiteral("Lirvan"),
                           QString::fromUtf8(on ? onText : offText));
}

bool HandleSettingsCommand(ToolHost& host, QWidget* parent, Command command) {
  switch (command) {
    case Command::Settings:
      host.RunSettingsDialog(parent);
      return true;
    case Command::Punctuation:
      TogglePunctuation(host.speaker(), parent, "noktalama okuma acik", "noktalama okuma kapali");
      return true;
    default:
      return false;
  }
}

}  // namespace lirvan
