// The editor's save, open and print, and the question before unsaved text
// is let go.
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

#include "editor/document_import.h"
#include "editor/editor.h"
#include "editor/rich_text.h"
#include "editor/spoken_question.h"
#include "shell/file_chooser_dialog.h"
#include "shell/speaker.h"
#include "shell/text.h"

namespace lirvan {

bool Editor::Save() {
  const int caret = m_richText->CaretPosition();
  m_speaker.SpeakAndWait(Cp("Kaydet"));
  const bool saved = SaveToChosenPath();
  m_richText->SetCaretPosition(caret);
  return saved;
}

bool Editor::SaveToChosenPath() {
  FileChooserDialog chooser(m_speaker, this, FileChooserDialog::Mode::Save);
  // The question about an existing file is asked here, for the path that
  // is really written (with ".txt"), and spoken.
  chooser.setOption(QFileDialog::DontConfirmOverwrite);
  if (chooser.exec() != QDialog::Accepted || chooser.chosenPath().isEmpty()) {
    m_speaker.SpeakAndWait(Cp("Vazgeçildi"));
    return false;
  }
  QString path = chooser.chosenPath();
  if (!path.endsWith(QLatin1String(".txt"))) path += QLatin1String(".txt");
  if (QFileInfo::exists(path)) {
    const SpeechText question = Plain(QFileInfo(path).fileName()) +
                                Cp(" dosyası zaten var. Üzerine yazılsın mı?");
    SpokenQuestion ask(m_speaker, this, question, false);
    if (ask.Ask() != SpokenQuestion::Answer::Yes) {
      m_speaker.SpeakAndWait(Cp("Vazgeçildi"));
      return false;
    }
  }
  TextFileFormat format = format_;
  const QByteArray bytes = EncodeTextFile(m_richText->UnicodeText(), format);
  if (!WriteFileAtomically(path, bytes)) {
    m_speaker.SpeakAndWait(Cp("dosya kaydedilemedi"));
    return false;
  }
  const bool becameUtf8 = format.encoding != format_.encoding;
  format_ = format;
  m_richText->document()->setModified(false);
  m_speaker.SpeakAndWait(Cp("kaydedildi"));
  if (becameUtf8) m_speaker.SpeakAndWait(Cp("Türkçe kod sayfasında olmayan harfler için UTF-8 kullanıldı"));
  return true;
}

bool Editor::ConfirmDiscard() {
  if (!m_richText->document()->isModified()) return true;
  switch (AskToSaveChanges(m_speaker, this)) {
    case SpokenQuestion::Answer::Yes:
      return Save();
    case SpokenQuestion::Answer::No:
      return true;
    case SpokenQuestion::Answer::Cancel:
      break;
  }
  m_speaker.SpeakAndWait(Cp("Vazgeçildi"));
  return false;
}

bool Editor::QueryClose() {
  m_bBackFromDialog = true;
  const bool mayClose = ConfirmDiscard();
  if (m_richText->hasFocus()) m_bBackFromDialog = false;
  return mayClose;
}

void Editor::Open() {
  // Opening replaces the whole text: unsaved work is asked about first.
  if (!ConfirmDiscard()) return;
  const int caret = m_richText->CaretPosition();
  m_speaker.SpeakAndWait(Cp("Aç"));
  FileChooserDialog chooser(m_speaker, this, FileChooserDialog::Mode::Open);
  if (chooser.exec() != QDialog::Accepted || chooser.chosenPath().isEmpty()) {
    m_speaker.SpeakAndWait(Cp("Vazgeçildi"));
    m_richText->SetCaretPosition(caret);
    return;
  }
  if (std::optional<DocumentImporter::Imported> imported = importer_->Import(chooser.chosenPath())) {
    m_richText->setPlainText(imported->text);
    m_richText->document()->setModified(false);
    format_ = imported->format;
    m_speaker.SpeakAndWait(Cp("Dosya açıldı"));
    if (!imported->note.empty()) m_speaker.SpeakAndWait(imported->note);
  }
  m_richText->SetCaretPosition(caret);
}

void Editor::Print() {
  const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
  if (printerInfo.isNull()) {
    m_speaker.Speak(Cp("Tanımlı bir yazıcı bulunmamaktadır"));
    return;
  }
  QPrinter printer(printerInfo);
  printer.setDocName(QStringLiteral("Lirvan"));
  m_richText->Print(printer);
  // Heard, so that the user knows the job went.
  m_speaker.Speak(Cp(printer.printerState() == QPrinter::Error ? "Yazdırılamadı"
                                                                : "Yazıcıya gönderildi"));
}

}  // namespace lirvan
