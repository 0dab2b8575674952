#include "mail/receivemail.h"

#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/speaker.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

ReceiveMail::ReceiveMail(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  m_speaker.SpeakAndWait(Cp("Posta okuma açıldı"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  m_list = MakeOwnedByParent<QListWidget>(this);
  m_list->setObjectName(QStringLiteral("mailList"));
  m_browser = MakeOwnedByParent<QTextBrowser>(this);
  m_browser->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(m_list, 1);
  layout->addWidget(m_browser, 2);
  setFocusProxy(m_list);
  OnFocusIn(m_list, [this] { m_speaker.Speak(Cp("Posta okuma")); });
}

bool ReceiveMail::OnCommand(Command command) {
  return HandleSettingsCommand(m_host, this, command);
}

}  // namespace lirvan
