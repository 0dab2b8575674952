#include "editor/readbetween.h"

namespace lirvan {

ReadBetweenDialog::ReadBetweenDialog(Speaker& speaker, QWidget* parent)
    : WordFieldsDialog(speaker, parent, "Iki Kelime Arasını Oku",
                       {{"Birinci Kelime", "Birinci Kelime", "firstWord"},
                        {"Ikinci Kelime", "Ikinci Kelime", "secondWord"}}) {}

}  // namespace lirvan
