#pragma once
// Runs the program's page script (page_script.h) on the view's page and
// hands the answers back read. Every answer arrives later, on the
// user-interface thread, and only until the bridge is detached.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "browser/page_script.h"
#include "browser/snapshot_reader.h"

class QWebEnginePage;

namespace lirvan {

enum class ActionResult { Done, On, Off, Stale, Gone };

class PageBridge {
 public:
  explicit PageBridge(QWebEnginePage& page);
  ~PageBridge();
  PageBridge(const PageBridge&) = delete;
  PageBridge& operator=(const PageBridge&) = delete;

  // No answer is handed on after this (the page answers pending calls
  // with nothing when it is destroyed).
  void Detach();

  void Title(std::function<void(std::optional<TitleInfo>)> done);
  void Snapshot(std::function<void(std::optional<PageSnapshot>)> done);
  void Act(std::uint32_t generation, int index, ElementAction action,
           std::function<void(ActionResult)> done);
  // The page's change count and how long it has been quiet.
  void Poll(std::function<void(std::uint32_t changes, double quietMs)> done);
  void FocusedField(std::function<void(std::optional<FieldInfo>)> done);

 private:
  void Run(const QString& code, std::function<void(const QString&)> done);

  QWebEnginePage& page_;
  std::shared_ptr<bool> attached_ = std::make_shared<bool>(true);
};

}  // namespace lirvan
