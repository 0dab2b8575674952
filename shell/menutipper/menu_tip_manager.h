#pragma once
// Speaks the menus as the user moves through them: a drop-down by its
// title, a command by its prompt and its key ("Ara, Kontrol F"); and shows
// the prompt in a tip window beside the entry, after a second, or at once
// while a tip is already showing. Qt's event filters and the menus'
// signals stand in for watching the frame's menu-selection messages.
#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace lirvan {

class CPopupText;
class Speaker;

class MenuTipManager : public QObject {
  Q_OBJECT

 public:
  MenuTipManager(QWidget& frame, Speaker& speaker);
  ~MenuTipManager() override;

  void Watch(QMenuBar* bar);
  void Watch(QMenu* menu);

  void SetDelay(int milliseconds) { delay_ = milliseconds; }
  // Null until the first menu selection.
  CPopupText* tip() const { return tip_; }

  // Names a menu or entry as it is spoken: "&" markers removed.
  static QString WithoutMarkers(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EnsureTip();
  void OnDropDown(QAction* action);
  void OnEntry(QMenu* menu, QAction* action);
  void OnMenuClosed(QMenu* menu);
  void PlaceTip(QMenu* menu, QAction* action);

  QWidget& frame_;
  Speaker& speaker_;
  CPopupText* tip_ = nullptr;  // owned by the frame, as a Qt child
  bool mouseSelection_ = false;
  bool sticky_ = false;
  QMenu* justOpened_ = nullptr;  // its first entry is named with the menu
  int delay_ = 1000;
};

}  // namespace lirvan
