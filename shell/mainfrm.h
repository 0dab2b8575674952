#pragma once
// The main window: an MDI area for the tool windows, the menus of the
// active tool, a status bar with the message pane and the three lock
// indicators, and the one accelerator table. Every command's action and
// every menu is built once; activating a tool swaps the menus in.
#include <QMainWindow>
#include <map>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/commands.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace lirvan {

class AcceleratorFilter;
class CLirvanApp;
class CMdiChild;
class MenuTipManager;
struct MenuPopup;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CLirvanApp& app);
  ~CMainFrame() override;

  // Routes a command: active view, its document, this frame, the
  // application. False when nobody handles it.
  bool RouteCommand(Command command);
  bool OnCommand(Command command);

  // The one way a tool is opened: a single-instance tool whose window is in
  // the area is brought forward and named when asked for from inside a tool
  // (and left alone otherwise); any other opens a new window.
  void OpenTool(int templateIndex, bool fromDocument);
  // A new untitled document from the template at this index, shown.
  CMdiChild* OpenNewDocument(int templateIndex);
  // The first tool window made from that template, or null.
  CMdiChild* FindToolWindow(int templateIndex) const;

  CMdiChild* ActiveChild() const;
  QMdiArea* mdiArea() const { return mdi_; }
  MenuId currentMenuId() const { return menuId_; }
  MenuTipManager& menuTips() { return *menuTips_; }

  // Lock indicators, as far as the platform reports the lock states.
  void UpdateLockIndicators(bool capsLock, bool numLock);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void OnChildActivated(QMdiSubWindow* window);
  void BuildMenus();
  QMenu* BuildPopup(const MenuPopup& popup);
  QAction* ActionFor(Command command, std::string_view text);
  void ShowMenus(MenuId menu);
  void UpdateTitle();
  void ShowWindowList();
  void SayNoToolIsOpen();

  CLirvanApp& app_;
  QMdiArea* mdi_ = nullptr;
  QLabel* capsIndicator_ = nullptr;
  QLabel* numIndicator_ = nullptr;
  QLabel* scrollIndicator_ = nullptr;
  MenuId menuId_ = MenuId::Main;
  MenuTipManager* menuTips_ = nullptr;  // a Qt child of this window
  bool activatedBefore_ = false;  // the first activation comes with the greeting
  bool closing_ = false;
  // Owned by this window as Qt children; built once.
  std::map<std::pair<Command, std::string_view>, QAction*> actions_;
  std::map<std::string_view, QMenu*> popups_;
  std::map<MenuId, std::vector<QMenu*>> menuBars_;
  std::unique_ptr<AcceleratorFilter> accelerators_;
};

}  // namespace lirvan
