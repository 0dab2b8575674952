#pragma once
// The tip window beside a highlighted menu entry: a borderless pop-up in
// the tool-tip colours, in the menu's font, sized to its one line of text.
#include <QTimer>
#include <QWidget>

namespace lirvan {

class CPopupText : public QWidget {
  Q_OBJECT

 public:
  explicit CPopupText(QWidget* owner);

  // Resizes the window to the text and its margins; no move, no showing.
  void SetText(const QString& text);
  const QString& text() const { return text_; }
  void SetMargins(int width, int height);

  // Shown without taking the focus, after the delay (at once for 0).
  void ShowDelayed(int milliseconds);
  void Cancel();
  bool IsShowingOrPending() const { return isVisible() || timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowNow();

  QString text_;
  QSize margins_{4, 4};
  QTimer timer_;
};

}  // namespace lirvan
