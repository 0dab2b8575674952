#pragma once
// The one accelerator table, applied by an application-wide event filter:
// a key of the table is taken before the focused control sees it (a text
// widget's own Ctrl+A would otherwise win) and produces its command in
// every window of the main frame. Modal dialogs and open menus keep their
// own keys.
#include <QObject>

namespace lirvan {

class CMainFrame;

class AcceleratorFilter : public QObject {
  Q_OBJECT

 public:
  explicit AcceleratorFilter(CMainFrame& frame);
  ~AcceleratorFilter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsFrameWidget(QObject* watched) const;

  CMainFrame& frame_;
};

}  // namespace lirvan
