#include "editor/typing_speech.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTextBlock>

#include "shell/speaker.h"
#include "shell/text.h"
#include "shell/tool_host.h"

namespace lirvan {

namespace {

bool IsMovementKey(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    default:
      return false;
  }
}

bool IsCharacterMove(int key) { return key == Qt::Key_Left || key == Qt::Key_Right; }

// The common beginning and end of two texts leave what changed between.
QString Difference(const QString& from, const QString& to) {
  qsizetype prefix = 0;
  const qsizetype shorter = std::min(from.size(), to.size());
  while (prefix < shorter && from[prefix] == to[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix &&
         from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix]) {
    ++suffix;
  }
  const QString removed = from.mid(prefix, from.size() - prefix - suffix);
  return removed.isEmpty() ? to.mid(prefix, to.size() - prefix - suffix) : removed;
}

std::string Heard(const QString& text) {
  QString spoken = text;
  spoken.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return ToCp1254(spoken);
}

}  // namespace

TypingSpeech::TypingSpeech(CRichText& richText, ToolHost& host)
    : m_richText(richText), m_host(host), m_speaker(host.speaker()) {
  m_richText.SetKeyObserver(this);
}

TypingSpeech::~TypingSpeech() { m_richText.SetKeyObserver(nullptr); }

TypingSpeech::Kind TypingSpeech::Classify(const QKeyEvent& event,
                                          ClipboardAction& action) const {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return Kind::Enter;
  if (event.matches(QKeySequence::Copy)) {
    action = ClipboardAction::Copy;
    return Kind::Clipboard;
  }
  if (event.matches(QKeySequence::Cut)) {
    action = ClipboardAction::Cut;
    return Kind::Clipboard;
  }
  if (event.matches(QKeySequence::Paste)) {
    action = ClipboardAction::Paste;
    return Kind::Clipboard;
  }
  if (key == Qt::Key_Space && !event.modifiers().testFlag(Qt::ControlModifier)) return Kind::Space;
  if (key == Qt::Key_Backspace) return Kind::Backspace;
  if (key == Qt::Key_Delete) return Kind::Delete;
  if (IsMovementKey(key)) return Kind::Move;
  return Kind::Other;
}

bool TypingSpeech::BeforeKey(QKeyEvent& event) {
  const QTextCursor cursor = m_richText.textCursor();
  caretBefore_ = cursor.position();
  anchorBefore_ = cursor.anchor();
  pending_ = Classify(event, pendingClipboard_);
  switch (pending_) {
    case Kind::Enter:
      OnEnter();
      return true;  // the line break is put in here, not by the widget
    case Kind::Space:
      SpeakWordBeforeCaret();
      m_speaker.SpeakCharacter(' ');
      return false;
    case Kind::Backspace:
      m_speaker.SpeakVerbatim("Sil");
      deleted_ = DeletedByKey(true);
      return false;
    case Kind::Delete:
      deleted_ = DeletedByKey(false);
      return false;
    case Kind::Other: {
      const QString text = event.text();
      if (m_host.EchoCharacters() && !text.isEmpty() && text.back().isPrint()) {
        SpeakCharacter(text.back());
      }
      return false;
    }
    case Kind::Clipboard:
    case Kind::Move:
      return false;
  }
  return false;
}

void TypingSpeech::AfterKey(QKeyEvent& event) {
  switch (pending_) {
    case Kind::Clipboard:
      AfterClipboard(pendingClipboard_);
      break;
    case Kind::Move:
      AfterMove(event);
      break;
    case Kind::Backspace:
    case Kind::Delete:
      SpeakDeleted();
      break;
    default:
      break;
  }
  pending_ = Kind::Other;
}

void TypingSpeech::SpeakCharacter(QChar ch) {
  if (ch.isUpper() && m_host.AnnounceCapitals()) m_speaker.SpeakVerbatim(Cp("büyük"));
  m_speaker.SpeakCharacter(ToCp1254Char(ch));
}

void TypingSpeech::SpeakWord(std::string word) {
  std::erase(word, '\r');
  if (word.empty()) return;
  if (word.size() == 1) {
    SpeakCharacter(FromCp1254(word).front());
  } else {
    m_speaker.SpeakAndWait(Plain(LinesAsBlanks(word)));
  }
}

void TypingSpeech::SpeakWordBeforeCaret() {
  const int caret = m_richText.CaretPosition();
  if (caret > 0 && !IsTurkishSpace(m_richText.At(caret - 1))) {
    SpeakWord(GetWordBefore(m_richText, caret - 1));
  }
}

void TypingSpeech::OnEnter() {
  const int caret = m_richText.CaretPosition();
  SpeakWordBeforeCaret();
  m_speaker.Speak(Cp("Yeni satır"));
  // Put in place rather than by rewriting the whole text: the same text and
  // caret, at the cost of one line break.
  m_richText.InsertLineBreak(caret);
}

QString TypingSpeech::DeletedByKey(bool backspace) const {
  const QTextCursor cursor = m_richText.textCursor();
  if (cursor.hasSelection()) return cursor.selectedText().replace(QChar::ParagraphSeparator, '\n');
  const QTextDocument* doc = m_richText.document();
  const int at = backspace ? cursor.position() - 1 : cursor.position();
  if (at < 0 || at >= doc->characterCount() - 1) return {};
  const QChar ch = doc->characterAt(at);
  return ch == QChar::ParagraphSeparator ? QStringLiteral("\n") : QString(ch);
}

void TypingSpeech::SpeakDeleted() {
  // What the key took; nothing when there was nothing to take.
  if (deleted_ == QStringLiteral("\n")) {
    m_speaker.Speak(Cp("Satır birleştirildi"));
  } else if (deleted_.size() == 1) {
    SpeakCharacter(deleted_.front());
  } else if (!deleted_.isEmpty()) {
    m_speaker.Speak(Plain(Heard(deleted_)) + Cp(" silindi"));
  }
  deleted_.clear();
}

void TypingSpeech::AfterClipboard(ClipboardAction action) {
  // Kept as the editor's own text is seen: CP1254 with CR LF.
  QString clipboardText = QGuiApplication::clipboard()->text();
  clipboardText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  clipboardText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  m_strClipboard = ToCp1254(clipboardText);
  static constexpr const char* kDone[] = {"kopyalandi", "kesildi", "yapıştırıldı"};
  static constexpr const char* kNothing[] = {"Hiçbir şey seçili değil", "Hiçbir şey kesilmedi",
                                             "Hiçbir şey yapıştırılmadı"};
  const auto index = static_cast<std::size_t>(action);
  // Copy or cut with nothing selected leaves the clipboard as it was;
  // saying its old text as copied would be false.
  const bool nothingSelected = anchorBefore_ == caretBefore_;
  if (m_strClipboard.empty() || (action != ClipboardAction::Paste && nothingSelected)) {
    m_speaker.Speak(Cp(kNothing[index]));
    return;
  }
  m_speaker.SpeakAndWait(Plain(LinesAsBlanks(m_strClipboard)));
  m_speaker.SpeakAndWait(Cp(kDone[index]));
}

bool TypingSpeech::OnCommand(Command command) {
  switch (command) {
    case Command::Undo: Undo(); return true;
    case Command::Copy: RunClipboardCommand(ClipboardAction::Copy); return true;
    case Command::Cut: RunClipboardCommand(ClipboardAction::Cut); return true;
    case Command::Paste: RunClipboardCommand(ClipboardAction::Paste); return true;
    // Ctrl+Left and Ctrl+Right are the browser's rows of the table; in a
    // text they move by words.
    case Command::ReadBeforeFound: MoveWord(false); return true;
    case Command::ReadAfterFound: MoveWord(true); return true;
    default: return false;
  }
}

void TypingSpeech::RunClipboardCommand(ClipboardAction action) {
  const QTextCursor cursor = m_richText.textCursor();
  caretBefore_ = cursor.position();
  anchorBefore_ = cursor.anchor();
  switch (action) {
    case ClipboardAction::Copy:
      m_richText.copy();
      break;
    case ClipboardAction::Cut:
      m_richText.cut();
      break;
    case ClipboardAction::Paste:
      m_richText.paste();
      break;
  }
  AfterClipboard(action);
}

void TypingSpeech::AfterMove(const QKeyEvent& event) {
  if (event.modifiers().testFlag(Qt::ShiftModifier)) {
    SpeakSelectionChange();
  } else if (IsCharacterMove(event.key()) &&
             !event.modifiers().testFlag(Qt::ControlModifier)) {
    SpeakCaretCharacter();
  } else {
    SpeakCaretLine();
  }
}

void TypingSpeech::SpeakCaretCharacter() {
  const QTextCursor cursor = m_richText.textCursor();
  const QTextDocument* doc = m_richText.document();
  if (cursor.position() == caretBefore_ && caretBefore_ == 0) {
    m_speaker.Speak(Cp("İşaretçi en başta"));
  } else if (cursor.position() >= doc->characterCount() - 1) {
    m_speaker.Speak(Cp("İşaretçi en sonda"));
  } else if (cursor.atBlockEnd()) {
    m_speaker.Speak(Cp("Satır sonu"));
  } else {
    SpeakCharacter(doc->characterAt(cursor.position()));
  }
}

void TypingSpeech::SpeakCaretLine() {
  const QString line = m_richText.textCursor().block().text();
  if (line.trimmed().isEmpty()) {
    m_speaker.Speak(Cp("Boş satır"));
  } else {
    m_speaker.Speak(Plain(line));
  }
}

void TypingSpeech::SpeakSelectionChange() {
  const QTextCursor cursor = m_richText.textCursor();
  const int from = std::min(caretBefore_, cursor.position());
  const int to = std::max(caretBefore_, cursor.position());
  if (from == to) return;
  QTextCursor range(m_richText.document());
  range.setPosition(from);
  range.setPosition(to, QTextCursor::KeepAnchor);
  const QString text = range.selectedText().replace(QChar::ParagraphSeparator, '\n');
  const bool added = from >= cursor.selectionStart() && to <= cursor.selectionEnd();
  const std::string said = Cp(added ? " seçildi" : " seçimden çıkarıldı");
  if (text.trimmed().isEmpty()) {
    m_speaker.Speak(Cp(text.contains('\n') ? "Satır sonu" : "Boşluk") + said);
  } else {
    m_speaker.Speak(Plain(Heard(text)) + said);
  }
}

void TypingSpeech::Undo() {
  if (!m_richText.document()->isUndoAvailable()) {
    m_speaker.Speak(Cp("Geri alınacak bir şey yok"));
    return;
  }
  const QString before = m_richText.UnicodeText();
  m_richText.undo();
  const QString changed = Difference(before, m_richText.UnicodeText());
  if (changed.trimmed().isEmpty()) {
    m_speaker.Speak(Cp("Geri alındı"));
  } else {
    m_speaker.Speak(Plain(Heard(changed)) + Cp(" geri alındı"));
  }
}

void TypingSpeech::MoveWord(bool forward) {
  QTextCursor cursor = m_richText.textCursor();
  const int before = cursor.position();
  cursor.clearSelection();
  cursor.movePosition(forward ? QTextCursor::NextWord : QTextCursor::PreviousWord);
  m_richText.setTextCursor(cursor);
  if (cursor.position() == before) {
    m_speaker.Speak(Cp(forward ? "İşaretçi en sonda" : "İşaretçi en başta"));
    return;
  }
  const std::string word = GetWordAt(m_richText, m_richText.CaretPosition());
  if (word.empty()) {
    SpeakCaretCharacter();
  } else {
    SpeakWord(word);
  }
}

}  // namespace lirvan
