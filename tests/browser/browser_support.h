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

// A page of the tests' own, UTF-8.
std::string HtmlPage(const std::string& title, const std::string& body);

// Processes events until the condition holds; false after the time limit.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);

// The lines said since the desktop's last Mark, as "OPERATION\tTEXT".
std::vector<std::string> Said(const Desktop& desktop);
// True once a line "OPERATION\tTEXT" has been said since the last Mark.
bool WaitForLine(const Desktop& desktop, const std::string& line, int milliseconds = 15000);

// Runs a script in the page's own world (as the page's scripts would) and
// waits for its result.
QVariant RunInPage(CLirvanView& view, const QString& code);

// Waits until the page has answered everything the view asked of it.
void Settle(CLirvanView& view);
// A key pressed, and the page's answers to it handled.
void PressAndSettle(CLirvanView& view, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

class BrowserDesktop;
// What is said when the key is pressed, times times.
std::vector<std::string> Hear(BrowserDesktop& browser, CLirvanView& view, int key,
                              Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1);

class BrowserDesktop {
 public:
  // No greeting, no echo, punctuation read.
  explicit BrowserDesktop(std::string settings = "0 0 1");

  Desktop& desktop() { return desktop_; }
  // Ctrl+1, and the help page loaded.
  CLirvanView& OpenBrowser();
  // Writes a page (UTF-8) into the home folder; its file URL.
  QUrl WritePage(const std::string& name, const std::string& html);
  // Marks the log, loads the page in the view and waits until it is read
  // in; false when it did not load.
  bool Load(CLirvanView& view, const QUrl& url);
  // WritePage and Load; a test failure when it does not load.
  QUrl LoadPage(CLirvanView& view, const std::string& name, const std::string& html);
 private:
  Desktop desktop_;
};

}  // namespace lirvan::test
