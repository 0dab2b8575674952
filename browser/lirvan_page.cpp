#include "browser/lirvan_page.h"

#include "platform/trace.h"
#include "shell/text.h"

namespace lirvan {

bool CLirvanPage::acceptNavigationRequest(const QUrl& /*url*/, NavigationType /*type*/,
                                          bool isMainFrame) {
  // A frame's navigation leaves the page's reading state alone.
  if (isMainFrame && onBeforeNavigate) onBeforeNavigate();
  return true;
}

QWebEnginePage* CLirvanPage::createWindow(WebWindowType /*type*/) {
  // Pages cannot open windows.
  return nullptr;
}

// The page's message boxes would be windows nobody hears: the message is
// spoken instead, a confirmation is declined and a prompt cancelled.
void CLirvanPage::javaScriptAlert(const QUrl& /*origin*/, const QString& message) {
  if (onPageMessage) onPageMessage(message);
}

bool CLirvanPage::javaScriptConfirm(const QUrl& /*origin*/, const QString& message) {
  if (onPageMessage) onPageMessage(message);
  return false;
}

bool CLirvanPage::javaScriptPrompt(const QUrl& /*origin*/, const QString& message,
                                   const QString& /*defaultValue*/, QString* /*result*/) {
  if (onPageMessage) onPageMessage(message);
  return false;
}

QStringList CLirvanPage::chooseFiles(FileSelectionMode mode, const QStringList& /*oldFiles*/,
                                     const QStringList& /*acceptedMimeTypes*/) {
  if (!onChooseFiles) return {};
  return onChooseFiles(mode == FileSelectionMode::FileSelectOpenMultiple);
}

void CLirvanPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel /*level*/,
                                           const QString& message, int line,
                                           const QString& source) {
  // Not the user's business; a helper may trace it.
  if (TraceEnabled()) {
    TraceLine(ToCp1254(QStringLiteral("page %1:%2: %3").arg(source).arg(line).arg(message)));
  }
}

}  // namespace lirvan
