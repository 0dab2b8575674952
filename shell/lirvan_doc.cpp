#include "shell/lirvan_doc.h"

#include "shell/mainfrm.h"
#include "shell/tool_registry.h"

namespace lirvan {

bool CLirvanDoc::OnCommand(Command command) {
  switch (command) {
    case Command::OpenBrowser:
      frame_.OpenTool(kBrowserTemplate, true);
      return true;
    case Command::OpenEditor:
      frame_.OpenTool(kEditorTemplate, true);
      return true;
    case Command::OpenComposer:
      frame_.OpenTool(kComposerTemplate, true);
      return true;
    case Command::OpenReader:
      frame_.OpenTool(kReaderTemplate, true);
      return true;
    default:
      return false;
  }
}

}  // namespace lirvan
