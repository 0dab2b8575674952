#include "browser_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

#include "browser/lirvan_page.h"
#include "browser/page_script.h"
#include "shell/childfrm.h"
#include "shell/mainfrm.h"

namespace lirvan::test {

std::string HtmlPage(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" + title +
         "</title></head><body>" + body + "</body></html>";
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

std::vector<std::string> Said(const Desktop& desktop) {
  std::vector<std::string> lines;
  for (const LogLine& line : desktop.Since()) lines.push_back(line.operation + "\t" + line.text);
  return lines;
}

bool WaitForLine(const Desktop& desktop, const std::string& line, int milliseconds) {
  return WaitUntil([&] {
    const std::vector<std::string> said = Said(desktop);
    return std::find(said.begin(), said.end(), line) != said.end();
  }, milliseconds);
}

BrowserDesktop::BrowserDesktop(std::string settings) : desktop_(std::move(settings)) {
  desktop_.Start();
}

CLirvanView& BrowserDesktop::OpenBrowser() {
  Press(Qt::Key_1, Qt::ControlModifier);
  CMdiChild* child = desktop_.frame().ActiveChild();
  auto* view = child ? qobject_cast<CLirvanView*>(child->view()) : nullptr;
  if (view == nullptr) throw std::runtime_error("Ctrl+1 opened no browser");
  if (!WaitUntil([view] { return view->pageLoaded(); })) {
    throw std::runtime_error("the help page did not load");
  }
  ProcessEvents();
  return *view;
}

QUrl BrowserDesktop::WritePage(const std::string& name, const std::string& html) {
  const std::string path = desktop_.home() + "/" + name;
  std::ofstream(path, std::ios::binary) << html;
  return QUrl::fromLocalFile(QString::fromStdString(path));
}

bool BrowserDesktop::Load(CLirvanView& view, const QUrl& url) {
  QSignalSpy ready(&view, &CLirvanView::pageReady);
  desktop_.Mark();
  view.Navigate(url);
  if (!WaitUntil([&] { return !ready.isEmpty(); })) return false;
  Settle(view);
  return true;
}

QUrl BrowserDesktop::LoadPage(CLirvanView& view, const std::string& name, const std::string& html) {
  const QUrl url = WritePage(name, html);
  if (!Load(view, url)) ADD_FAILURE() << name << " did not load";
  return url;
}

QVariant RunInPage(CLirvanView& view, const QString& code) {
  QVariant result;
  bool back = false;
  view.page()->runJavaScript(code, 0, [&](const QVariant& value) {
    result = value;
    back = true;
  });
  WaitUntil([&back] { return back; });
  return result;
}

void Settle(CLirvanView& view) {
  // The page answers in order: once a call made now has come back, every
  // earlier answer has been handled; twice, for answers that ask again.
  for (int round = 0; round < 2; ++round) {
    bool back = false;
    view.page()->runJavaScript(QStringLiteral("0"), kLirvanWorld, [&back](const QVariant&) { back = true; });
    WaitUntil([&back] { return back; });
  }
  ProcessEvents();
}

void PressAndSettle(CLirvanView& view, int key, Qt::KeyboardModifiers modifiers) {
  Press(key, modifiers);
  Settle(view);
}

std::vector<std::string> Hear(BrowserDesktop& browser, CLirvanView& view, int key,
                              Qt::KeyboardModifiers modifiers, int times) {
  browser.desktop().Mark();
  for (int i = 0; i < times; ++i) PressAndSettle(view, key, modifiers);
  return Said(browser.desktop());
}

}  // namespace lirvan::test
