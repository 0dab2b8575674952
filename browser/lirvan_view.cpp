#include "browser/lirvan_view.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/command_ids.h"
#include "shell/lirvan_app.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

CLirvanView::CLirvanView(CLirvanApp& app)
    : m_pApp(app), m_strPageName(Cp("Internet Gezgini ")) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_page = MakeOwnedByParent<QTextBrowser>(this);
  m_page->setObjectName(QStringLiteral("browserPage"));
  layout->addWidget(m_page);
  setFocusProxy(m_page);
  OnFocusIn(m_page, [this] { m_pApp.SpeakAndWait(m_strPageName); });
}

bool CLirvanView::OnCommand(int command) {
  switch (command) {
    case cmd::kStopReading:
      m_pApp.StopSpeaking();
      return true;
    case cmd::kPunctuation:
      TogglePunctuation(m_pApp, this, "noktalama okuma açık", "noktalama okuma kapali");
      return true;
    default:
      return false;
  }
}

}  // namespace lirvan
