#pragma once
// The calculator window: one edit box that is both input and output.
// Every typed character is echoed; Enter evaluates and the result replaces
// the expression and is spoken; Escape closes.
#include <QDialog>

#include "calculator/evaluator/expression_parser.h"

class QLineEdit;

namespace lirvan {

class Speaker;

class CCalculator : public QDialog {
  Q_OBJECT

 public:
  CCalculator(Speaker& speaker, QWidget* parent = nullptr);

  QLineEdit* edit() const { return m_edit; }
  // What Enter does.
  void Evaluate();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnTextChanged(const QString& text);

  QLineEdit* m_edit = nullptr;
  bool m_bEcho = true;  // false only while the result is written
  QString m_previous;   // the text before the last change, to name a deletion
  eval::ExpressionParser m_parser;
  Speaker& m_speaker;
};

}  // namespace lirvan
