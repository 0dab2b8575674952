#include "editor/finddialog.h"

namespace lirvan {

FindDialog::FindDialog(Speaker& speaker, QWidget* parent)
    : WordFieldsDialog(speaker, parent, "Kelime Bul",
                       {{"Aranacak kelime", "Aranacak kelime", "findWord"}}) {}

}  // namespace lirvan
