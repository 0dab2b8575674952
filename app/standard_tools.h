#pragma once
// The desktop's tools in their fixed template order: editor, mail reader,
// mail composer, web browser; and the calculator, a dialog of the frame.
#include "shell/tool_registry.h"

namespace lirvan {

ToolRegistry StandardTools();

}  // namespace lirvan
