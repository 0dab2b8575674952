#include "editor/rich_text.h"

#include <QKeyEvent>
#include <QPrinter>
#include <QTextBlock>
#include <algorithm>

#include "platform/cp1254.h"

namespace lirvan {

char ToCp1254Char(QChar ch) {
  if (ch.unicode() < 0x80) return static_cast<char>(ch.unicode());
  return static_cast<char>(UnicodeToCp1254(ch.unicode()));
}

CRichText::CRichText(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("richText"));
  connect(document(), &QTextDocument::contentsChange, this, [this] { cachedBlock_ = -1; });
}

int CRichText::Length() const {
  const QTextDocument* doc = document();
  return doc->characterCount() - 1 + doc->blockCount() - 1;
}

// Block b starts at position b.position() + b.blockNumber(): every line
// break before it is one character in the widget and two here.
QTextBlock CRichText::BlockAt(int position) const {
  const QTextDocument* doc = document();
  int low = 0;
  int high = doc->blockCount() - 1;
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (doc->findBlockByNumber(middle).position() + middle <= position) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return doc->findBlockByNumber(low);
}

char CRichText::At(int position) const {
  const bool cached = cachedBlock_ >= 0 && position >= cachedStart_ &&
                      position < cachedStart_ + cachedLength_ + 2;
  if (!cached) {
    const QTextBlock block = BlockAt(position);
    cachedBlock_ = block.blockNumber();
    cachedStart_ = block.position() + cachedBlock_;
    cachedText_ = block.text();
    cachedLength_ = static_cast<int>(cachedText_.size());
  }
  const int offset = position - cachedStart_;
  if (offset < cachedLength_) return ToCp1254Char(cachedText_[offset]);
  return offset == cachedLength_ ? '\r' : '\n';
}

std::string CRichText::TextRange(int from, int to) const {
  const int length = Length();
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  std::string out;
  out.reserve(static_cast<std::size_t>(to - from));
  QTextBlock block = BlockAt(from);
  int position = from;
  while (position < to && block.isValid()) {
    const int start = block.position() + block.blockNumber();
    const QString text = block.text();
    const int textLength = static_cast<int>(text.size());
    for (int offset = position - start; offset < textLength && position < to; ++offset) {
      out += ToCp1254Char(text[offset]);
      ++position;
    }
    if (position < to && position == start + textLength) {
      out += '\r';
      ++position;
    }
    if (position < to) {
      out += '\n';
      ++position;
    }
    block = block.next();
  }
  return out;
}

std::string CRichText::Text() const { return TextRange(0, Length()); }

std::string CRichText::SelectedText() const {
  const QTextCursor cursor = textCursor();
  return TextRange(ToPosition(cursor.selectionStart()), ToPosition(cursor.selectionEnd()));
}

int CRichText::CaretPosition() const { return ToPosition(textCursor().selectionStart()); }

void CRichText::SetCaretPosition(int position) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(ToDocument(position));
  setTextCursor(cursor);
}

void CRichText::SetSelectionLength(int length) {
  const int start = CaretPosition();
  QTextCursor cursor = textCursor();
  cursor.setPosition(ToDocument(start));
  cursor.setPosition(ToDocument(start + std::max(length, 0)), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

int CRichText::LineOfPosition(int position) const {
  return BlockAt(std::clamp(position, 0, Length())).blockNumber();
}

void CRichText::InsertLineBreak(int position) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(ToDocument(position));
  cursor.insertBlock();
  setTextCursor(cursor);
}

QString CRichText::UnicodeText() const {
  // toPlainText would turn no-break spaces into blanks.
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

void CRichText::ReplaceUnicodeText(const QString& text) {
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  cursor.endEditBlock();
}

int CRichText::ToDocument(int position) const {
  position = std::clamp(position, 0, Length());
  const QTextBlock block = BlockAt(position);
  const int offset = position - (block.position() + block.blockNumber());
  return block.position() + std::min(offset, block.length() - 1);
}

int CRichText::ToPosition(int documentPosition) const {
  const QTextBlock block = document()->findBlock(documentPosition);
  return documentPosition + (block.isValid() ? block.blockNumber() : document()->blockCount() - 1);
}

void CRichText::Print(QPrinter& printer) { print(&printer); }

void CRichText::keyPressEvent(QKeyEvent* event) {
  if (observer_ != nullptr && observer_->BeforeKey(*event)) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
  if (observer_ != nullptr) observer_->AfterKey(*event);
}

}  // namespace lirvan
