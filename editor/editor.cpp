#include "editor/editor.h"

#include <QVBoxLayout>

#include "editor/document_import.h"
#include "editor/rich_text.h"
#include "editor/typing_speech.h"
#include "shell/owned.h"
#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

std::string Heard(const std::string& text) { return LinesAsBlanks(text); }

}  // namespace

Editor::Editor(ToolHost& host) : m_host(host), m_speaker(host.speaker()) {
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_richText = MakeOwnedByParent<CRichText>(this);
  m_richText->setObjectName(QStringLiteral("editorText"));
  layout->addWidget(m_richText);
  setFocusProxy(m_richText);
  typing_ = std::make_unique<TypingSpeech>(*m_richText, host);
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
  using Clip = TypingSpeech::ClipboardAction;
  switch (command) {
    case Command::ReadAll: ReadAll(); return true;
    case Command::ReadFromStart: ReadFromStart(); return true;
    case Command::ReadToEnd: ReadToEnd(); return true;
    case Command::ReadSelection: ReadSelection(); return true;
    case Command::WhereAmI: WhereAmI(); return true;
    case Command::StopReading: m_speaker.StopSpeaking(); return true;
    case Command::SaveText: Save(); return true;
    case Command::Print: Print(); return true;
    case Command::Find: Find(); return true;
    case Command::GoToFound: NextMatch(); return true;
    case Command::ReadBetweenFinds: ReadBetween(); return true;
    case Command::Replace: Replace(); return true;
    case Command::OpenDocument: Open(); return true;
    case Command::Undo: typing_->Undo(); return true;
    case Command::Copy: typing_->RunClipboardCommand(Clip::Copy); return true;
    case Command::Cut: typing_->RunClipboardCommand(Clip::Cut); return true;
    case Command::Paste: typing_->RunClipboardCommand(Clip::Paste); return true;
    // Ctrl+Left and Ctrl+Right are the browser's rows of the table; in a
    // text they move by words.
    case Command::ReadBeforeFound: typing_->MoveWord(false); return true;
    case Command::ReadAfterFound: typing_->MoveWord(true); return true;
    default: return HandleSettingsCommand(m_host, this, command);
  }
}

void Editor::ReadAll() {
  const std::string text = m_richText->Text();
  if (text.empty()) {
    m_speaker.SpeakAndWait(Cp("Henüz okunacak yazı yok"));
    return;
  }
  m_richText->SetCaretPosition(m_richText->CaretPosition());
  m_richText->SetSelectionLength(0);
  m_speaker.Speak(Plain(Heard(text)));
}

void Editor::ReadFromStart() {
  const std::string text = m_richText->TextRange(0, m_richText->CaretPosition());
  if (text.empty()) {
    m_speaker.SpeakAndWait(Cp("İşaretçi en başta"));
  } else {
    m_speaker.Speak(Plain(Heard(text)));
  }
}

void Editor::ReadToEnd() {
  const int caret = m_richText->CaretPosition();
  const int length = m_richText->Length();
  const std::string text = caret == length - 1 ? std::string()
                                               : m_richText->TextRange(caret, length);
  if (text.empty()) {
    m_speaker.Speak(Cp("İşaretçi en sonda"));
  } else {
    m_speaker.Speak(Plain(Heard(text)));
  }
}

void Editor::ReadSelection() {
  const std::string text = m_richText->SelectedText();
  if (!text.empty()) m_speaker.Speak(Plain(Heard(text)));
}

void Editor::WhereAmI() {
  const int caret = m_richText->CaretPosition();
  const std::string line = std::to_string(m_richText->LineOfPosition(caret) + 1);
  if (caret == m_richText->Length()) {
    m_speaker.SpeakAndWait(Cp("En sonda"));
    m_speaker.SpeakDirect(line);
    m_speaker.SpeakAndWait(Cp(" numaralı satırda"));
    return;
  }
  if (caret == 0) {
    m_speaker.SpeakAndWait(Cp("En başta"));
    m_speaker.SpeakAndWait(Cp("bir numaralı satırda"));
    return;
  }
  m_speaker.SpeakDirect(line);
  m_speaker.SpeakAndWait(Cp("numaralı satırdasınız"));
  const std::string word = Heard(GetWordAt(*m_richText, caret));
  if (word.empty()) {
    m_speaker.SpeakAndWait(Cp("Bir kelimenin üzerinde değilsiniz"));
  } else {
    m_speaker.SpeakAndWait(Plain(word));
    m_speaker.SpeakAndWait(Cp("kelimesinin üzerindesiniz"));
  }
}

}  // namespace lirvan
