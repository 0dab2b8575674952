#include "shell/menutipper/popup_text.h"

#include <QApplication>
#include <QPainter>

namespace lirvan {

CPopupText::CPopupText(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFont(QApplication::font("QMenu"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
  colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
  setPalette(colours);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &CPopupText::ShowNow);
}

void CPopupText::SetText(const QString& text) {
  text_ = text;
  const QSize size = fontMetrics().size(Qt::TextSingleLine, text_);
  resize(size.width() + 2 * margins_.width(), size.height() + 2 * margins_.height());
  update();
}

void CPopupText::SetMargins(int width, int height) { margins_ = QSize(width, height); }

void CPopupText::ShowDelayed(int milliseconds) {
  if (milliseconds <= 0) {
    timer_.stop();
    ShowNow();
  } else {
    timer_.start(milliseconds);
  }
}

void CPopupText::Cancel() {
  timer_.stop();
  hide();
}

void CPopupText::ShowNow() {
  show();
  raise();
  update();
}

void CPopupText::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

}  // namespace lirvan
