#pragma once
// Typing any character, Turkish letters included, as a keyboard layout
// delivers it: QTest's own typing knows only Latin-1 letters.
#include <QApplication>
#include <QString>
#include <QTest>

#include "../shell/gui_support.h"

namespace lirvan::test {

inline void TypeUnicode(const QString& text) {
  for (const QChar ch : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
    const Qt::KeyboardModifiers modifiers =
        ch.isUpper() ? Qt::ShiftModifier : Qt::KeyboardModifiers{};
    QTest::sendKeyEvent(QTest::Press, target, key, QString(ch), modifiers);
    QTest::sendKeyEvent(QTest::Release, target, key, QString(ch), modifiers);
  }
  ProcessEvents();
}

}  // namespace lirvan::test
