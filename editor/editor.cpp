#include "editor/editor.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/command_ids.h"
#include "shell/lirvan_app.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

Editor::Editor(CLirvanApp& app) : m_pApp(app) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_richText = MakeOwnedByParent<QPlainTextEdit>(this);
  m_richText->setObjectName(QStringLiteral("editorText"));
  layout->addWidget(m_richText);
  setFocusProxy(m_richText);
  OnFocusIn(m_richText, [this] { m_pApp.Speak(Cp("Metin düzenleyici açıldı")); });
}

bool Editor::OnCommand(int command) {
  switch (command) {
    case cmd::kStopReading:
      m_pApp.StopSpeaking();
      return true;
    default:
      return HandleSettingsCommand(m_pApp, this, command);
  }
}

}  // namespace lirvan
