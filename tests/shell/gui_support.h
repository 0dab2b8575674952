#pragma once
// A desktop in a private home folder (links to the built voice, a settings
// file of the test's own), driven by real key events and read back through
// its speech log.
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/lirvan_app.h"

namespace lirvan::test {

struct LogLine {
  std::string operation;
  std::string text;  // UTF-8
  bool operator==(const LogLine&) const = default;
};
std::ostream& operator<<(std::ostream& out, const LogLine& line);

class Desktop {
 public:
  // settings: the content of veriler/ayarlar.dat; none: no file.
  explicit Desktop(std::optional<std::string> settings = std::nullopt);
  ~Desktop();

  // Builds the application object and runs its start-up.
  void Start();
  CLirvanApp& app() { return *app_; }
  CMainFrame& frame();
  const std::string& home() const { return home_; }

  std::vector<LogLine> Log() const;
  // The lines written since the last Mark.
  std::vector<LogLine> Since() const;
  void Mark();

  std::string ReadFile(const std::string& relativePath) const;

 private:
  QTemporaryDir dir_;
  std::string home_;
  std::string logPath_;
  QString previousFolder_;
  std::size_t mark_ = 0;
  std::unique_ptr<CLirvanApp> app_;
};

// A key pressed and released on the focused widget (or the active window),
// as the keyboard would deliver it.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(const QString& text);
void ProcessEvents();

// Waits until the dialog is active and one of its controls has the focus.
void WaitUntilReadyForKeys(QWidget& dialog);

// Runs trigger, which opens a modal dialog, and drives the dialog with
// inside once it is shown. A dialog still open afterwards is rejected.
// False when no modal dialog appeared.
bool WithModal(const std::function<void()>& trigger, const std::function<void(QWidget&)>& inside);

}  // namespace lirvan::test
