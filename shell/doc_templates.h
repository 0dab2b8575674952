#pragma once
// A registered tool with the running number of its untitled windows.
#include <QString>

#include "shell/tool_registry.h"

namespace lirvan {

struct CDocTemplate {
  ToolDescriptor tool;
  int untitledCount = 0;  // never goes back, as the framework counts

  QString NextUntitledTitle() { return tool.documentName + QString::number(++untitledCount); }
};

}  // namespace lirvan
