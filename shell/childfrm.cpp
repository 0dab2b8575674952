#include "shell/childfrm.h"

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

}  // namespace lirvan
