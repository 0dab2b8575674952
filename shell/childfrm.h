#pragma once
// The MDI child windows. CMdiChild is the plain child of the editor and
// the mail tools; CChildFrame frames the browser and adds nothing.
#include <QMdiSubWindow>
#include <memory>

namespace lirvan {

class CLirvanDoc;
class CToolView;

class CMdiChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit CMdiChild(int templateIndex, QWidget* parent = nullptr);

  int templateIndex() const { return templateIndex_; }
  CLirvanDoc* document() const { return document_; }
  CToolView* view() const { return view_; }
  // Both become children of this window.
  void Attach(std::unique_ptr<CLirvanDoc> document, std::unique_ptr<CToolView> view);

 protected:
  // The view may refuse, keeping unsaved work.
  void closeEvent(QCloseEvent* event) override;

 private:
  int templateIndex_;
  CLirvanDoc* document_ = nullptr;
  CToolView* view_ = nullptr;
};

class CChildFrame : public CMdiChild {
  Q_OBJECT

 public:
  using CMdiChild::CMdiChild;
};

}  // namespace lirvan
