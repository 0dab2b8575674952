#include "shell/key_names.h"

#include <QKeySequence>
#include <array>

namespace lirvan {

namespace {

struct Named {
  Qt::Key key;
  const char* spoken;
};

constexpr std::array kNamedKeys{
    Named{Qt::Key_Tab, "Tab"},           Named{Qt::Key_Return, "Enter"},
    Named{Qt::Key_Escape, "Escape"},     Named{Qt::Key_Backspace, "Geri silme"},
    Named{Qt::Key_Delete, "Delete"},     Named{Qt::Key_Insert, "Insert"},
    Named{Qt::Key_Left, "sol ok"},       Named{Qt::Key_Right, "sağ ok"},
    Named{Qt::Key_Up, "yukarı ok"},      Named{Qt::Key_Down, "aşağı ok"},
};

std::string KeyAlone(Qt::Key key) {
  for (const Named& named : kNamedKeys) {
    if (named.key == key) return named.spoken;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
    return "F " + std::to_string(static_cast<int>(key) - static_cast<int>(Qt::Key_F1) + 1);
  }
  return QKeySequence(key).toString(QKeySequence::PortableText).toStdString();
}

}  // namespace

std::string SpokenKeyName(const KeyChord& chord) {
  if (chord.key == Qt::Key_unknown) return {};
  std::string name;
  if (chord.modifiers.testFlag(Qt::ControlModifier)) name += "Kontrol ";
  if (chord.modifiers.testFlag(Qt::AltModifier)) name += "Alt ";
  if (chord.modifiers.testFlag(Qt::ShiftModifier)) name += "Şift ";
  return name + KeyAlone(chord.key);
}

std::string ShownKeyName(const KeyChord& chord) {
  if (chord.key == Qt::Key_unknown) return {};
  const int combined = static_cast<int>(chord.key) | static_cast<int>(chord.modifiers.toInt());
  return QKeySequence(combined).toString(QKeySequence::NativeText).toStdString();
}

std::string SpokenKeyOf(Command command) {
  const CommandRow* row = FindCommand(command);
  return row != nullptr ? SpokenKeyName(row->key) : std::string{};
}

}  // namespace lirvan
