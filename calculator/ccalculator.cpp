#include "calculator/ccalculator.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "calculator/evaluator/result_format.h"
#include "shell/speaker.h"
#include "shell/owned.h"
#include "shell/text.h"
#include "shell/view_helpers.h"

namespace lirvan {

CCalculator::CCalculator(Speaker& speaker, QWidget* parent)
    : QDialog(parent), m_speaker(speaker) {
  setWindowTitle(QStringLiteral("Hesap Makinesi"));
  auto* layout = MakeOwnedByParent<QVBoxLayout>(this);
  m_edit = MakeOwnedByParent<QLineEdit>(this);
  m_edit->setObjectName(QStringLiteral("calculatorEdit"));
  m_edit->setMinimumWidth(460);
  layout->addWidget(m_edit);
  OnFocusIn(m_edit, [this] { m_speaker.Speak(Cp("Hesap makinesi açıldı")); });
  connect(m_edit, &QLineEdit::textChanged, this, &CCalculator::OnTextChanged);
}

void CCalculator::OnTextChanged(const QString& text) {
  const QString previous = std::exchange(m_previous, text);
  if (!m_bEcho) return;
  if (text.size() >= previous.size()) {
    if (!text.isEmpty()) m_speaker.SpeakCharacter(LastCp1254Character(text));
    return;
  }
  // A deletion names what went, and an emptied field says so.
  qsizetype common = 0;
  while (common < text.size() && text[common] == previous[common]) ++common;
  const QString deleted = previous.mid(common, previous.size() - text.size());
  if (deleted.size() == 1) {
    m_speaker.SpeakCharacter(LastCp1254Character(deleted));
  } else {
    m_speaker.SpeakAndWait(Plain(deleted));
  }
  if (text.isEmpty()) m_speaker.Speak(Cp("boş"));
}

void CCalculator::Evaluate() {
  const std::string expression = ToCp1254(m_edit->text());
  try {
    const double value = m_parser.Evaluate(expression);
    const QString result = QString::fromStdString(eval::FormatCalculatorResult(value));
    m_bEcho = false;
    m_edit->selectAll();
    m_edit->insert(result);
    // Shown as formatted, heard in Turkish words: "sonsuz", not "inf".
    m_speaker.Speak(Cp(eval::SpokenCalculatorResult(value)));
    m_bEcho = true;
  } catch (const std::exception&) {
    m_bEcho = true;
    m_speaker.Speak(Cp(eval::kUndefinedOperationUtf8));
  }
}

void CCalculator::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Evaluate();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace lirvan
