#include "shell/mainfrm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

#include "calculator/ccalculator.h"
#include "shell/accelerator_filter.h"
#include "shell/childfrm.h"
#include "shell/command_ids.h"
#include "shell/command_table.h"
#include "shell/doc_templates.h"
#include "shell/lirvan_app.h"
#include "shell/lirvan_doc.h"
#include "shell/owned.h"
#include "shell/settings_dialog.h"
#include "shell/tool_view.h"

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
  mdi_ = MakeOwnedByParent<QMdiArea>(this);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnChildActivated);

  QStatusBar* bar = statusBar();
  capsIndicator_ = MakeIndicator(bar);
  numIndicator_ = MakeIndicator(bar);
  scrollIndicator_ = MakeIndicator(bar);

  BuildMenus(cmd::kMenuMain);
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

bool CMainFrame::RouteCommand(int command) {
  if (CMdiChild* child = ActiveChild()) {
    if (child->view() && child->view()->OnCommand(command)) return true;
    if (child->document() && child->document()->OnCommand(command)) return true;
  }
  if (OnCommand(command)) return true;
  return app_.OnCommand(command);
}

bool CMainFrame::OnCommand(int command) {
  switch (command) {
    case cmd::kOpenBrowser:
    case cmd::kGeneralHelp:
      OpenNewDocument(kBrowserTemplate);
      return true;
    case cmd::kOpenEditor:
      OpenNewDocument(kEditorTemplate);
      return true;
    case cmd::kOpenComposer:
      if (app_.m_bSendMailOpen == 0) {
        app_.m_bSendMailOpen = 1;
        OpenNewDocument(kComposerTemplate);
      }
      return true;
    case cmd::kOpenReader:
      if (app_.m_bReceiveMailOpen == 0) {
        app_.m_bReceiveMailOpen = 1;
        OpenNewDocument(kReaderTemplate);
      }
      return true;
    case cmd::kSettings: {
      SettingsDialog dialog(app_, this);
      dialog.exec();
      return true;
    }
    case cmd::kCalculator: {
      CCalculator dialog(app_, this);
      dialog.exec();
      return true;
    }
    default:
      return false;
  }
}

CMdiChild* CMainFrame::OpenNewDocument(int templateIndex) {
  CDocTemplate& docTemplate = app_.Templates().at(static_cast<std::size_t>(templateIndex));
  std::unique_ptr<CMdiChild> frame = docTemplate.browserFrame
                                         ? std::make_unique<CChildFrame>(templateIndex)
                                         : std::make_unique<CMdiChild>(templateIndex);
  mdi_->addSubWindow(frame.get());
  CMdiChild* child = frame.release();  // the area owns it now
  child->setWindowTitle(docTemplate.NextUntitledTitle());
  // The view speaks as it is made (the mail reader does), so it comes after
  // the window that will hold it.
  child->Attach(std::make_unique<CLirvanDoc>(app_), docTemplate.makeView(app_));
  child->show();
  mdi_->setActiveSubWindow(child);
  child->widget()->setFocus(Qt::OtherFocusReason);
  return child;
}

bool CMainFrame::ActivateToolWindow(int templateIndex) {
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::StackingOrder);
  for (QMdiSubWindow* window : windows) {
    auto* child = qobject_cast<CMdiChild*>(window);
    if (child && child->templateIndex() == templateIndex) {
      mdi_->setActiveSubWindow(child);
      return true;
    }
  }
  return false;
}

CMdiChild* CMainFrame::ActiveChild() const {
  return qobject_cast<CMdiChild*>(mdi_->currentSubWindow());
}

void CMainFrame::UpdateLockIndicators(bool capsLock, bool numLock) {
  capsIndicator_->setText(capsLock ? QStringLiteral("CAP") : QString());
  numIndicator_->setText(numLock ? QStringLiteral("NUM") : QString());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  mdi_->closeAllSubWindows();
  event->accept();
}

void CMainFrame::OnChildActivated(QMdiSubWindow* window) {
  const auto* child = qobject_cast<CMdiChild*>(window);
  if (child == nullptr) child = ActiveChild();
  const int menuId =
      child ? app_.Templates().at(static_cast<std::size_t>(child->templateIndex())).resourceId
            : cmd::kMenuMain;
  BuildMenus(menuId);
  UpdateTitle();
}

void CMainFrame::BuildMenus(int menuId) {
  if (menuId == menuId_) return;
  menuId_ = menuId;
  QMenuBar* bar = menuBar();
  bar->clear();
  for (const MenuPopup& popup : MenuFor(menuId)) {
    QMenu* menu = bar->addMenu(Utf8(popup.title));
    for (const MenuItem& item : popup.items) {
      if (item.command == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(Utf8(item.text));
      action->setStatusTip(Utf8(CommandPrompt(item.command)));
      const int command = item.command;
      connect(action, &QAction::triggered, this, [this, command] { RouteCommand(command); });
    }
  }
}

void CMainFrame::UpdateTitle() {
  const CMdiChild* child = ActiveChild();
  const QString title = QStringLiteral("Lirvan");
  setWindowTitle(child ? title + QStringLiteral(" - ") + child->windowTitle() : title);
}

}  // namespace lirvan
