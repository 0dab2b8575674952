#pragma once
// The main window: an MDI area for the tool windows, the menus of the
// active tool, a status bar with the message pane and the three lock
// indicators, and the one accelerator table.
#include <QMainWindow>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace lirvan {

class AcceleratorFilter;
class CLirvanApp;
class CMdiChild;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CLirvanApp& app);
  ~CMainFrame() override;

  // Routes a command: active view, its document, this frame, the
  // application. False when nobody handles it.
  bool RouteCommand(int command);
  bool OnCommand(int command);

  // A new untitled document from the template at this index, shown.
  CMdiChild* OpenNewDocument(int templateIndex);
  // Activates the first tool window made from that template.
  bool ActivateToolWindow(int templateIndex);

  CMdiChild* ActiveChild() const;
  QMdiArea* mdiArea() const { return mdi_; }
  int currentMenuId() const { return menuId_; }

  // Lock indicators, as far as the platform reports the lock states.
  void UpdateLockIndicators(bool capsLock, bool numLock);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnChildActivated(QMdiSubWindow* window);
  void BuildMenus(int menuId);
  void UpdateTitle();

  CLirvanApp& app_;
  QMdiArea* mdi_ = nullptr;
  QLabel* capsIndicator_ = nullptr;
  QLabel* numIndicator_ = nullptr;
  QLabel* scrollIndicator_ = nullptr;
  int menuId_ = 0;
  std::unique_ptr<AcceleratorFilter> accelerators_;
};

}  // namespace lirvan
