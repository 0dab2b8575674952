#include "browser/lirvan_view.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/speaker.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

CLirvanView::CLirvanView(ToolHost& host)
    : m_speaker(host.speaker()), m_strPageName(Cp("Internet Gezgini ")) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_page = MakeOwnedByParent<QTextBrowser>(this);
  m_page->setObjectName(QStringLiteral("browserPage"));
  layout->addWidget(m_page);
  setFocusProxy(m_page);
  OnFocusIn(m_page, [this] { m_speaker.SpeakAndWait(m_strPageName); });
}

bool CLirvanView::OnCommand(Command command) {
  switch (command) {
    case Command::StopReading:
      m_speaker.StopSpeaking();
      return true;
    case Command::Punctuation:
      TogglePunctuation(m_speaker, this, "noktalama okuma açık", "noktalama okuma kapali");
      return true;
    default:
      return false;
  }
}

}  // namespace lirvan
