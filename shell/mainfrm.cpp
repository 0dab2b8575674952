#include "shell/mainfrm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "shell/accelerator_filter.h"
#include "shell/childfrm.h"
#include "shell/command_table.h"
#include "shell/lirvan_app.h"
#include "shell/lirvan_doc.h"
#include "shell/menutipper/menu_tip_manager.h"
#include "shell/owned.h"
#include "shell/spoken_list_dialog.h"
#include "shell/text.h"
#include "shell/tool_view.h"
#include "shell/view_helpers.h"

namespace lirvan {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* MakeIndicator(QStatusBar* bar) {
  auto* label = MakeOwnedByParent<QLabel>(QString(), bar);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
  label->setAlignment(Qt::AlignCenter);
  bar->addPermanentWidget(label);
  return label;
}

}  // namespace

CMainFrame::CMainFrame(CLirvanApp& app) : app_(app) {
  // Watching the menus before they exist, as the tips are hooked before
  // the frame's own creation goes on.
  menuTips_ = MakeOwnedByParent<MenuTipManager>(*this, app_.speaker());
  menuTips_->Watch(menuBar());
  mdi_ = MakeOwnedByParent<QMdiArea>(this);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnChildActivated);

  QStatusBar* bar = statusBar();
  capsIndicator_ = MakeIndicator(bar);
  numIndicator_ = MakeIndicator(bar);
  scrollIndicator_ = MakeIndicator(bar);

  BuildMenus();
  ShowMenus(MenuId::Main);
  UpdateTitle();
  resize(800, 600);
  accelerators_ = std::make_unique<AcceleratorFilter>(*this);
}

CMainFrame::~CMainFrame() {
  // Tool views speak and clear the application's flags as they go.
  accelerators_.reset();
  // The area and the tool windows go with the base class; this half of
  // the frame must no longer hear of their activation.
  disconnect(mdi_, nullptr, this, nullptr);
}

bool CMainFrame::RouteCommand(Command command) {
  if (CMdiChild* child = ActiveChild()) {
    if (child->view() && child->view()->OnCommand(command)) return true;
    if (child->document() && child->document()->OnCommand(command)) return true;
  }
  if (OnCommand(command)) return true;
  return app_.OnCommand(command);
}

bool CMainFrame::OnCommand(Command command) {
  switch (command) {
    case Command::OpenBrowser:
    case Command::GeneralHelp:
      OpenTool(kBrowserTemplate, false);
      return true;
    case Command::OpenEditor:
      OpenTool(kEditorTemplate, false);
      return true;
    case Command::OpenComposer:
      OpenTool(kComposerTemplate, false);
      return true;
    case Command::OpenReader:
      OpenTool(kReaderTemplate, false);
      return true;
    case Command::Settings:
      app_.RunSettingsDialog(this);
      return true;
    case Command::Punctuation:
      TogglePunctuation(app_, this, "noktalama okuma acik", "noktalama okuma kapali");
      return true;
    case Command::WindowList:
      ShowWindowList();
      return true;
    default:
      break;
  }
  for (const DialogTool& dialog : app_.DialogTools()) {
    if (dialog.command == command) {
      dialog.run(app_, this);
      return true;
    }
  }
  return false;
}

void CMainFrame::OpenTool(int templateIndex, bool fromDocument) {
  const CDocTemplate& docTemplate = app_.Templates().at(static_cast<std::size_t>(templateIndex));
  if (docTemplate.tool.singleInstance) {
    // Found by its template rather than by the title "...1": after the tool
    // was closed and opened again its title carries a higher number.
    if (CMdiChild* open = FindToolWindow(templateIndex)) {
      if (fromDocument) {
        mdi_->setActiveSubWindow(open);
        app_.Speak(docTemplate.tool.activatedMessage);
      }
      return;
    }
  }
  OpenNewDocument(templateIndex);
}

CMdiChild* CMainFrame::OpenNewDocument(int templateIndex) {
  CDocTemplate& docTemplate = app_.Templates().at(static_cast<std::size_t>(templateIndex));
  std::unique_ptr<CMdiChild> frame = docTemplate.tool.browserFrame
                                         ? std::make_unique<CChildFrame>(templateIndex)
                                         : std::make_unique<CMdiChild>(templateIndex);
  mdi_->addSubWindow(frame.get());
  CMdiChild* child = frame.release();  // the area owns it now
  child->setWindowTitle(docTemplate.NextUntitledTitle());
  if (unsigned char* flag = app_.OpenFlag(templateIndex)) {
    *flag = 1;
    // Cleared when the window goes, however it was closed.
    connect(child, &QObject::destroyed, &app_, [flag] { *flag = 0; });
  }
  // The view speaks as it is made (the mail reader does), so it comes after
  // the window that will hold it.
  child->Attach(std::make_unique<CLirvanDoc>(*this), docTemplate.tool.makeView(app_));
  child->show();
  mdi_->setActiveSubWindow(child);
  child->widget()->setFocus(Qt::OtherFocusReason);
  return child;
}

CMdiChild* CMainFrame::FindToolWindow(int templateIndex) const {
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::StackingOrder);
  for (QMdiSubWindow* window : windows) {
    auto* child = qobject_cast<CMdiChild*>(window);
    if (child && child->templateIndex() == templateIndex) return child;
  }
  return nullptr;
}

CMdiChild* CMainFrame::ActiveChild() const {
  return qobject_cast<CMdiChild*>(mdi_->currentSubWindow());
}

void CMainFrame::UpdateLockIndicators(bool capsLock, bool numLock) {
  capsIndicator_->setText(capsLock ? QStringLiteral("CAP") : QString());
  numIndicator_->setText(numLock ? QStringLiteral("NUM") : QString());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  // Each window's view may keep unsaved work and refuse; then the program
  // stays open. The windows that get the focus as others close keep quiet.
  closing_ = true;
  SetClosingQuietly(this, true);
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->close()) {
      SetClosingQuietly(this, false);
      closing_ = false;
      event->ignore();
      return;
    }
  }
  app_.SpeakAndWait(Cp("Hoşça kalın"));
  event->accept();
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    // Coming back from a dialog or another program to an empty desktop
    // would otherwise be silent.
    if (activatedBefore_ && !closing_ && mdi_->subWindowList().isEmpty()) SayNoToolIsOpen();
    activatedBefore_ = true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::SayNoToolIsOpen() { app_.Speak(Cp("Lirvan, açık araç yok")); }

void CMainFrame::ShowWindowList() {
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) {
    app_.Speak(Cp("Açık pencere yok"));
    return;
  }
  std::vector<QString> titles;
  for (QMdiSubWindow* window : windows) titles.push_back(window->windowTitle());
  SpokenListDialog dialog([this](const std::string& line) { app_.Speak(Plain(line)); },
                          QStringLiteral("Açık pencereler"), titles, this);
  const int current = static_cast<int>(windows.indexOf(mdi_->currentSubWindow()));
  dialog.SetOpeningSentence([this, count = titles.size()] {
    app_.SpeakAndWait(Cp("Açık pencereler, ") + std::to_string(count) + Cp(" pencere"));
  });
  if (current >= 0) dialog.list()->setCurrentRow(current);
  if (dialog.exec() != QDialog::Accepted) return;
  const int chosen = dialog.chosenRow();
  if (chosen >= 0 && chosen < windows.size() && mdi_->subWindowList().contains(windows[chosen])) {
    mdi_->setActiveSubWindow(windows[chosen]);
  }
}

void CMainFrame::OnChildActivated(QMdiSubWindow* window) {
  // The last tool window closed: the user is back on the empty desktop.
  if (window == nullptr && !closing_ && menuId_ != MenuId::Main &&
      mdi_->subWindowList().isEmpty()) {
    SayNoToolIsOpen();
  }
  const auto* child = qobject_cast<CMdiChild*>(window);
  if (child == nullptr) child = ActiveChild();
  const MenuId menu =
      child ? app_.Templates().at(static_cast<std::size_t>(child->templateIndex())).tool.menu
            : MenuId::Main;
  ShowMenus(menu);
  UpdateTitle();
}

QAction* CMainFrame::ActionFor(Command command, std::string_view text) {
  QAction*& action = actions_[{command, text}];
  if (action == nullptr) {
    action = MakeOwnedByParent<QAction>(Utf8(text), this);
    action->setStatusTip(Utf8(CommandPrompt(command)));
    action->setData(ToInt(command));
    connect(action, &QAction::triggered, this, [this, command] { RouteCommand(command); });
  }
  return action;
}

QMenu* CMainFrame::BuildPopup(const MenuPopup& popup) {
  QMenu*& menu = popups_[popup.title];
  if (menu != nullptr) return menu;  // the same pop-up serves every tool that shows it
  menu = MakeOwnedByParent<QMenu>(Utf8(popup.title), this);
  menuTips_->Watch(menu);
  for (const MenuItem& item : popup.items) {
    if (item.command) {
      menu->addAction(ActionFor(*item.command, item.text));
    } else {
      menu->addSeparator();
    }
  }
  return menu;
}

void CMainFrame::BuildMenus() {
  for (MenuId id : kAllMenus) {
    std::vector<QMenu*>& bar = menuBars_[id];
    for (const MenuPopup& popup : MenuFor(id)) bar.push_back(BuildPopup(popup));
  }
}

void CMainFrame::ShowMenus(MenuId menu) {
  if (menu == menuId_ && !menuBar()->actions().isEmpty()) return;
  menuId_ = menu;
  QMenuBar* bar = menuBar();
  bar->clear();  // removes the pop-ups' entries; the pop-ups stay, owned here
  for (QMenu* popup : menuBars_.at(menu)) bar->addMenu(popup);
}

void CMainFrame::UpdateTitle() {
  const CMdiChild* child = ActiveChild();
  const QString title = QStringLiteral("Lirvan");
  setWindowTitle(child ? title + QStringLiteral(" - ") + child->windowTitle() : title);
}

}  // namespace lirvan
