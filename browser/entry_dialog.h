#pragma once
// A small modal dialog with one spoken text field: the address dialog
// ("Adres Çubuğu") and the add-favourite dialog ("Sık Kullanılanlara
// Ekle"). It says what to type when it is made, puts the focus in the
// field and speaks the last character after every change. Enter is OK,
// Escape is Cancel.
#include <QDialog>
#include <string>

class QDialogButtonBox;
class QLineEdit;

namespace lirvan {

class Speaker;

class CEntryDialog : public QDialog {
  Q_OBJECT

 public:
  struct Texts {
    const char* caption;    // UTF-8
    const char* label;      // UTF-8, empty for none
    const char* spoken;     // UTF-8, said when the dialog is made
  };
  static const Texts kAddress;
  static const Texts kAddFavourite;

  CEntryDialog(Speaker& speaker, const Texts& texts, QWidget* parent = nullptr);

  QString text() const;
  QLineEdit* field() const { return field_; }

 private:
  QLineEdit* field_ = nullptr;
};

// OK (the default, taken by Enter) and Cancel, wired to the dialog.
QDialogButtonBox* MakeOkCancel(QDialog& dialog);

}  // namespace lirvan
