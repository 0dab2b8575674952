#include "shell/childfrm.h"

#include <QCloseEvent>

#include "shell/lirvan_doc.h"
#include "shell/tool_view.h"

namespace lirvan {

CMdiChild::CMdiChild(int templateIndex, QWidget* parent)
    : QMdiSubWindow(parent), templateIndex_(templateIndex) {
  setAttribute(Qt::WA_DeleteOnClose);
}

void CMdiChild::Attach(std::unique_ptr<CLirvanDoc> document, std::unique_ptr<CToolView> view) {
  document->setParent(this);
  document_ = document.release();
  setWidget(view.get());
  view_ = view.release();
}

void CMdiChild::closeEvent(QCloseEvent* event) {
  if (view_ != nullptr && !view_->QueryClose()) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

}  // namespace lirvan
