#include "mail/receivemail.h"

#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "shell/lirvan_app.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

ReceiveMail::ReceiveMail(CLirvanApp& app) : m_pApp(app) {
  m_pApp.SpeakAndWait(Cp("Posta okuma açıldı"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  m_list = MakeOwnedByParent<QListWidget>(this);
  m_list->setObjectName(QStringLiteral("mailList"));
  m_browser = MakeOwnedByParent<QTextBrowser>(this);
  m_browser->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(m_list, 1);
  layout->addWidget(m_browser, 2);
  setFocusProxy(m_list);
  OnFocusIn(m_list, [this] { m_pApp.Speak(Cp("Posta okuma")); });
}

ReceiveMail::~ReceiveMail() { m_pApp.m_bReceiveMailOpen = 0; }

bool ReceiveMail::OnCommand(int command) {
  return HandleSettingsCommand(m_pApp, this, command);
}

}  // namespace lirvan
