#pragma once
// The browser control's page as the view sees it: it reports the start of
// every navigation of the top-level document, refuses new windows, and
// keeps the page's own message boxes and file pickers from opening silent
// windows.
#include <QWebEnginePage>
#include <functional>

namespace lirvan {

class CLirvanPage : public QWebEnginePage {
  Q_OBJECT

 public:
  using QWebEnginePage::QWebEnginePage;

  // Called before each navigation of the top-level document; frames
  // navigate without it. The navigation always goes ahead.
  std::function<void()> onBeforeNavigate;
  // A message the page wants to show (an alert, a confirmation, a prompt).
  std::function<void(const QString&)> onPageMessage;
  // The page wants the user to pick files; the chosen paths, or none.
  std::function<QStringList(bool multiple)> onChooseFiles;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
  void javaScriptAlert(const QUrl& origin, const QString& message) override;
  bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
  bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
                        QString* result) override;
  QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                          const QStringList& acceptedMimeTypes) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override;
};

}  // namespace lirvan
