#include "editor/editor.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "shell/speaker.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

Editor::Editor(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_richText = MakeOwnedByParent<QPlainTextEdit>(this);
  m_richText->setObjectName(QStringLiteral("editorText"));
  layout->addWidget(m_richText);
  setFocusProxy(m_richText);
  OnFocusIn(m_richText, [this] { m_speaker.Speak(Cp("Metin düzenleyici açıldı")); });
}

bool Editor::OnCommand(Command command) {
  switch (command) {
    case Command::StopReading:
      m_speaker.StopSpeaking();
      return true;
    default:
      return HandleSettingsCommand(m_host, this, command);
  }
}

}  // namespace lirvan
