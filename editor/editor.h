#pragma once
// The text editor's view: one CRichText whose every keystroke and movement
// is spoken, the reading commands, where-am-I, find and its kin, replace,
// save, print and open. The text lives only in the widget; the view keeps
// the last search and the format the text was read in.
#include <QString>
#include <memory>

#include "editor/text_reading.h"

#include "editor/text_file.h"
#include "shell/tool_view.h"

namespace lirvan {

class CRichText;
class DocumentImporter;
class Speaker;
class ToolHost;
class TypingSpeech;

class Editor : public CToolView {
  Q_OBJECT

 public:
  explicit Editor(ToolHost& host);
  ~Editor() override;

  bool OnCommand(Command command) override;
  // Text typed or changed since it was last opened or saved: asks, spoken,
  // whether to save it first.
  bool QueryClose() override;

  CRichText* richText() const { return m_richText; }
  TypingSpeech& typing() { return *typing_; }
  DocumentImporter& importer() { return *importer_; }
  const QString& searchWord() const { return reading_->searchWord(); }
  int foundPosition() const { return reading_->foundPosition(); }
  const TextFileFormat& format() const { return format_; }

 private:
  bool Dispatch(Command command);
  // Files and the printer (editor_files.cpp).
  bool Save();
  bool SaveToChosenPath();
  bool ConfirmDiscard();
  void Open();
  void Print();

  ToolHost& m_host;
  Speaker& m_speaker;
  CRichText* m_richText = nullptr;  // a child of this view
  // Set while a command runs; the focus returning from its dialog is not
  // announced.
  bool m_bBackFromDialog = false;
  TextFileFormat format_;  // a new text: UTF-8, LF
  std::unique_ptr<TypingSpeech> typing_;
  std::unique_ptr<TextReading> reading_;  // the reading commands and the last search
  std::unique_ptr<DocumentImporter> importer_;
};

}  // namespace lirvan
