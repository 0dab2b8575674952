#pragma once
// How tools plug into the desktop: each registers a descriptor. The shell
// knows no tool; the program's main registers them in their fixed order.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "shell/commands.h"

class QWidget;

namespace lirvan {

class CToolView;
class ToolHost;

// A tool that opens as a window of the MDI area (a document template).
struct ToolDescriptor {
  MenuId menu = MenuId::Main;  // also the template's resource id
  QString documentName;        // untitled windows: the name and a running number
  bool singleInstance = false;
  bool browserFrame = false;   // CChildFrame instead of the plain MDI child
  // Said when a single-instance tool that is already open is asked for again
  // (CP1254).
  std::string activatedMessage;
  std::function<std::unique_ptr<CToolView>(ToolHost&)> makeView;
};

// A tool that runs as a modal dialog on a command of the main frame.
struct DialogTool {
  Command command;
  std::function<void(ToolHost&, QWidget* parent)> run;
};

// The template indices the open-tool commands rely on.
inline constexpr int kEditorTemplate = 0;
inline constexpr int kReaderTemplate = 1;
inline constexpr int kComposerTemplate = 2;
inline constexpr int kBrowserTemplate = 3;

struct ToolRegistry {
  std::vector<ToolDescriptor> templates;  // in template order
  std::vector<DialogTool> dialogs;
};

}  // namespace lirvan
