#pragma once
// "Sık Kullanılan Adresler": the favourite names in a list box, read from
// the two files when the dialog opens. Moving in the list speaks the name
// and chooses its address; OK takes it.
#include <QDialog>
#include <string>

#include "browser/favourites.h"

class QListWidget;

namespace lirvan {

class Speaker;

class CFavouritesDialog : public QDialog {
  Q_OBJECT

 public:
  CFavouritesDialog(Speaker& speaker, QWidget* parent = nullptr);

  // CP1254; empty until a name is chosen, and always when a file is missing.
  const std::string& chosenAddress() const { return chosen_; }
  QListWidget* list() const { return list_; }

 private:
  void OnRowChanged(int row);

  Speaker& speaker_;
  Favourites favourites_;
  std::string chosen_;
  QListWidget* list_ = nullptr;
};

}  // namespace lirvan
