#pragma once
// The settings dialog's punctuation level: a list of none, some, most and
// all after the check boxes, spoken when it takes the focus and when it
// changes; the level applies at once and moves the on/off box with it.
#include <QComboBox>

class QCheckBox;

namespace lirvan {

class Speaker;

class PunctuationLevelBox : public QComboBox {
  Q_OBJECT

 public:
  // The on/off box is the dialog's; clicking it moves this list.
  PunctuationLevelBox(Speaker& speaker, QCheckBox& onOff, QWidget* parent);

 private:
  void Show(int index);
  void Chosen(int index);

  Speaker& speaker_;
  QCheckBox& onOff_;
};

}  // namespace lirvan
