#pragma once
// What a tool may ask of the program: the speak family, the user's
// settings and the dialogs every tool shares. The application object is the
// one host; tests may give a view a host of their own.
class QWidget;

namespace lirvan {

class CToolView;
class Speaker;

class ToolHost {
 public:
  virtual ~ToolHost() = default;

  virtual Speaker& speaker() = 0;
  // The editor's and composer's character echo setting.
  virtual bool EchoCharacters() const = 0;
  // Whether a capital letter is said with "büyük" before it (off unless
  // the user turns it on).
  virtual bool AnnounceCapitals() const { return false; }
  // The program settings dialog, modal over parent.
  virtual void RunSettingsDialog(QWidget* parent) = 0;
  // The window of the tool of that template (see tool_registry.h): a
  // single-instance tool's open window brought forward, otherwise a new
  // one. Its view, or null when none can be had.
  virtual CToolView* OpenTool(int /*templateIndex*/) { return nullptr; }
};

}  // namespace lirvan
