#pragma once
// An editor window in a private desktop, driven by real key events and
// read back through the speech log; modal dialogs answered one after the
// other as they open.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "../shell/gui_support.h"
#include "editor/editor.h"
#include "editor/rich_text.h"
#include "key_support.h"
#include "shell/childfrm.h"
#include "shell/mainfrm.h"

namespace lirvan::test {

using ModalStep = std::function<void(QWidget&)>;

// Runs trigger and hands each modal dialog that opens meanwhile to the next
// step; a dialog left open by its step is rejected. Returns how many steps
// ran.
inline int DriveModals(const std::function<void()>& trigger, std::vector<ModalStep> steps) {
  std::size_t next = 0;
  QWidget* last = nullptr;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last) return;
    last = modal;
    if (next >= steps.size()) {
      ADD_FAILURE() << "an unexpected dialog: " << modal->windowTitle().toStdString();
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
      return;
    }
    WaitUntilReadyForKeys(*modal);
    steps[next++](*modal);
    ProcessEvents();
    if (QApplication::activeModalWidget() == modal) {
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    }
  });
  poll.start();
  trigger();
  poll.stop();
  ProcessEvents();
  return static_cast<int>(next);
}

// DriveModals, then the window has the keys again, as the window manager
// would give them back.
inline int DriveModalsAndReturn(QWidget& window, const std::function<void()>& trigger,
                                std::vector<ModalStep> steps) {
  const int ran = DriveModals(trigger, std::move(steps));
  for (int i = 0; i < 100 && QApplication::focusWidget() == nullptr; ++i) {
    window.activateWindow();
    QTest::qWait(10);
  }
  ProcessEvents();
  return ran;
}

// A chooser step: the path typed into the name field and Enter.
inline ModalStep ChoosePath(const std::string& path) {
  return [path](QWidget& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    name->setText(QString::fromStdString(path));
    Press(Qt::Key_Return);
  };
}

// A question step: the button with this text is pressed from the keyboard.
inline ModalStep Answer(const char* button) {
  return [button](QWidget& dialog) {
    for (int i = 0; i < 3; ++i) {
      if (QApplication::focusWidget()->property("text").toString() == QString::fromUtf8(button)) {
        break;
      }
      Press(Qt::Key_Tab);
    }
    Press(Qt::Key_Return);
    (void)dialog;
  };
}

// A step that types into the dialog's fields: one text per field, Tab
// between them, then the closing key.
inline ModalStep Fill(std::vector<QString> fields, int closeKey = Qt::Key_Return) {
  return [fields, closeKey](QWidget&) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) Press(Qt::Key_Tab);
      TypeUnicode(fields[i]);
    }
    Press(closeKey);
  };
}

class EditorTest : public ::testing::Test {
 protected:
  explicit EditorTest(std::string settings = "0 0 1\n") : desktop_(std::move(settings)) {}

  void SetUp() override {
    desktop_.Start();
    Press(Qt::Key_2, Qt::ControlModifier);
    auto* child = desktop_.frame().ActiveChild();
    ASSERT_NE(child, nullptr);
    editor_ = qobject_cast<Editor*>(child->view());
    ASSERT_NE(editor_, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), editor_->richText());
    desktop_.Mark();
  }

  // The text put in directly (not typed), the caret at `caret`, the log
  // marked.
  void Given(const QString& text, int caret = 0) {
    editor_->richText()->setPlainText(text);
    editor_->richText()->SetCaretPosition(caret);
    ProcessEvents();
    desktop_.Mark();
  }

  std::vector<LogLine> Said() {
    std::vector<LogLine> said = desktop_.Since();
    desktop_.Mark();
    return said;
  }

  // Dialogs driven as DriveModals does; then the editor has the keys again,
  // as the window manager would give them back.
  int Modals(const std::function<void()>& trigger, std::vector<ModalStep> steps) {
    return DriveModalsAndReturn(desktop_.frame(), trigger, std::move(steps));
  }

  std::string Folder() const { return desktop_.home(); }
  CRichText& text() { return *editor_->richText(); }

  Desktop desktop_;
  Editor* editor_ = nullptr;
};

}  // namespace lirvan::test
