#pragma once
// The four document templates, registered in a fixed order that the
// open-tool commands rely on: editor, mail reader, mail composer, browser.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace lirvan {

class CLirvanApp;
class CToolView;

struct CDocTemplate {
  int resourceId = 0;       // also the id of the tool's menu
  QString documentName;     // untitled documents: the name and a running number
  bool browserFrame = false;  // CChildFrame instead of the plain MDI child
  std::function<std::unique_ptr<CToolView>(CLirvanApp&)> makeView;
  int untitledCount = 0;    // never goes back, as the framework counts

  QString NextUntitledTitle() { return documentName + QString::number(++untitledCount); }
};

inline constexpr int kEditorTemplate = 0;
inline constexpr int kReaderTemplate = 1;
inline constexpr int kComposerTemplate = 2;
inline constexpr int kBrowserTemplate = 3;

// The registry in its order.
std::vector<CDocTemplate> MakeDocTemplates();

}  // namespace lirvan
