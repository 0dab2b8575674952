#include "mail/mail_page.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "shell/owned.h"

namespace lirvan {

void MailRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
  if (info.requestUrl() == allowed_) return;
  ++blocked_;
  info.block(true);
}

MailPage::MailPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
  QWebEngineSettings* s = settings();
  s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  s->setAttribute(QWebEngineSettings::AutoLoadImages, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

void MailPage::Show(const QUrl& file) {
  shown_ = file;
  load(file);
}

bool MailPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  return isMainFrame && url == shown_ && type != NavigationTypeLinkClicked &&
         type != NavigationTypeRedirect && type != NavigationTypeFormSubmitted;
}

QWebEnginePage* MailPage::createWindow(WebWindowType /*type*/) { return nullptr; }

MailView::MailView(QWidget* parent)
    : QWebEngineView(parent),
      // No storage name: an off-the-record profile, nothing kept on disk.
      profile_(std::make_unique<QWebEngineProfile>()),
      guard_(std::make_unique<MailRequestGuard>()) {
  profile_->setUrlRequestInterceptor(guard_.get());
  page_ = MakeOwnedByParent<MailPage>(profile_.get(), this);
  setPage(page_);
}

MailView::~MailView() {
  // Deleted now, before the profile it lives in.
  std::unique_ptr<MailPage> page(page_);
  page_ = nullptr;
}

void MailView::Show(const QUrl& file) {
  guard_->Allow(file);
  page_->Show(file);
}

QString MailPageHtml(const QString& html, const QString& plainText, bool isHtml) {
  // A content policy first, so it holds before anything of the mail.
  QString page = QStringLiteral(
      "<meta charset=\"utf-8\">"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
      "style-src 'unsafe-inline'; img-src data:\">\n");
  if (isHtml) return page + html;
  return page + QStringLiteral("<pre style=\"white-space: pre-wrap\">") +
         plainText.toHtmlEscaped() + QStringLiteral("</pre>");
}

}  // namespace lirvan
