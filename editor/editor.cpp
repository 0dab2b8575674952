#include "editor/editor.h"

#include <QVBoxLayout>

#include "editor/document_import.h"
#include "editor/rich_text.h"
#include "editor/text_reading.h"
#include "editor/typing_speech.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

Editor::Editor(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_richText = MakeOwnedByParent<CRichText>(this);
  m_richText->setObjectName(QStringLiteral("editorText"));
  layout->addWidget(m_richText);
  setFocusProxy(m_richText);
  typing_ = std::make_unique<TypingSpeech>(*m_richText, host);
  reading_ = std::make_unique<TextReading>(*m_richText, m_speaker);
  importer_ = std::make_unique<DocumentImporter>(m_speaker);
  OnFocusIn(m_richText, [this] {
    // The focus coming back from the editor's own dialog would cut off
    // what the dialog's command is saying.
    if (m_bBackFromDialog) {
      m_bBackFromDialog = false;
      return;
    }
    m_speaker.Speak(Cp("Metin düzenleyici açıldı"));
  });
}

Editor::~Editor() = default;

bool Editor::OnCommand(Command command) {
  m_bBackFromDialog = true;
  const bool handled = Dispatch(command);
  // No dialog took the focus away: none comes back.
  if (m_richText->hasFocus()) m_bBackFromDialog = false;
  return handled;
}

bool Editor::Dispatch(Command command) {
  if (reading_->OnCommand(command, this)) return true;
  if (typing_->OnCommand(command)) return true;
  switch (command) {
    case Command::StopReading: m_speaker.StopSpeaking(); return true;
    case Command::SaveText: Save(); return true;
    case Command::Print: Print(); return true;
    case Command::OpenDocument: Open(); return true;
    default: return HandleSettingsCommand(m_host, this, command);
  }
}

}  // namespace lirvan
