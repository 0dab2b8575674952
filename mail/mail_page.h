#pragma once
// The mail view's web page: it shows one message and nothing else. No
// script runs, nothing is fetched but the message file itself (no tracking
// pictures, no frames, no styles from elsewhere), no link is followed and
// no window opens. Text of a mail is outside input; a page of it must not
// reach out.
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <memory>

class QWebEngineProfile;

namespace lirvan {

class MailRequestGuard : public QWebEngineUrlRequestInterceptor {
  Q_OBJECT

 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void Allow(const QUrl& url) { allowed_ = url; }
  void interceptRequest(QWebEngineUrlRequestInfo& info) override;
  int blocked() const { return blocked_; }

 private:
  QUrl allowed_;
  int blocked_ = 0;  // read by tests; the interceptor runs on the UI thread
};

class MailPage : public QWebEnginePage {
  Q_OBJECT

 public:
  MailPage(QWebEngineProfile* profile, QObject* parent);

  // Shows the file; the one URL this page may load.
  void Show(const QUrl& file);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;

 private:
  QUrl shown_;
};

// The view of the mail reader: a web view on a MailPage in a profile of its
// own, kept in memory only, whose guard refuses every other request.
class MailView : public QWebEngineView {
  Q_OBJECT

 public:
  explicit MailView(QWidget* parent);
  ~MailView() override;

  void Show(const QUrl& file);
  MailPage& mailPage() { return *page_; }
  const MailRequestGuard& guard() const { return *guard_; }

 private:
  // The profile must outlive its page: the page goes first, in ~MailView.
  std::unique_ptr<QWebEngineProfile> profile_;
  std::unique_ptr<MailRequestGuard> guard_;
  MailPage* page_ = nullptr;
};

// The page text for a message: its HTML, or its plain text escaped in a
// <pre>, behind a content policy that allows no script and nothing remote.
QString MailPageHtml(const QString& html, const QString& plainText, bool isHtml);

}  // namespace lirvan
