#pragma once
// A desktop (tests/shell/gui_support.h) with browser windows on pages the
// tests write into its private home, driven by real key presses and read
// back through the speech log.
#include <functional>
#include <string>
#include <vector>

#include "../shell/gui_support.h"
#include "browser/lirvan_view.h"

namespace lirvan::test {

// Processes events until the condition holds; false after the time limit.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);

// The lines said since the desktop's last Mark, as "OPERATION\tTEXT".
std::vector<std::string> Said(const Desktop& desktop);
// True once a line "OPERATION\tTEXT" has been said since the last Mark.
bool WaitForLine(const Desktop& desktop, const std::string& line, int milliseconds = 15000);

// Waits until the page has answered everything the view asked of it.
void Settle(CLirvanView& view);
// A key pressed, and the page's answers to it handled.
void PressAndSettle(CLirvanView& view, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

class BrowserDesktop {
 public:
  // No greeting, no echo, punctuation read.
  explicit BrowserDesktop(std::string settings = "0 0 1");

  Desktop& desktop() { return desktop_; }
  // Ctrl+1, and the help page loaded.
  CLirvanView& OpenBrowser();
  // Writes a page (UTF-8) into the home folder; its file URL.
  QUrl WritePage(const std::string& name, const std::string& html);
  // Loads the page in the view, waits until it is read in, then marks the
  // log; false when it did not load.
  bool Load(CLirvanView& view, const QUrl& url);
 private:
  Desktop desktop_;
};

}  // namespace lirvan::test
