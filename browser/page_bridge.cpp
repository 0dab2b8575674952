#include "browser/page_bridge.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QVariant>
#include <QWebEnginePage>

namespace lirvan {

namespace {

ActionResult ReadActionResult(const QString& json) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray("[") + json.toUtf8() + "]");
  const QString answer = document.array().at(0).toString();
  if (answer == QLatin1String("ok")) return ActionResult::Done;
  if (answer == QLatin1String("on")) return ActionResult::On;
  if (answer == QLatin1String("off")) return ActionResult::Off;
  if (answer == QLatin1String("stale")) return ActionResult::Stale;
  return ActionResult::Gone;
}

}  // namespace

PageBridge::PageBridge(QWebEnginePage& page) : page_(page) {}

PageBridge::~PageBridge() { Detach(); }

void PageBridge::Detach() { *attached_ = false; }

void PageBridge::Run(const QString& code, std::function<void(const QString&)> done) {
  page_.runJavaScript(code, kLirvanWorld,
                      [attached = attached_, done = std::move(done)](const QVariant& result) {
                        if (*attached) done(result.toString());
                      });
}

void PageBridge::Title(std::function<void(std::optional<TitleInfo>)> done) {
  Run(TitleCall(), [done = std::move(done)](const QString& json) { done(ReadTitle(json)); });
}

void PageBridge::Snapshot(std::function<void(std::optional<PageSnapshot>)> done) {
  Run(SnapshotCall(), [done = std::move(done)](const QString& json) { done(ReadSnapshot(json)); });
}

void PageBridge::Act(std::uint32_t generation, int index, ElementAction action,
                     std::function<void(ActionResult)> done) {
  Run(ActionCall(generation, index, action),
      [done = std::move(done)](const QString& json) { done(ReadActionResult(json)); });
}

void PageBridge::Poll(std::function<void(std::uint32_t, double)> done) {
  Run(PollCall(), [done = std::move(done)](const QString& json) {
    const QJsonArray answer = QJsonDocument::fromJson(json.toUtf8()).array();
    if (answer.size() != 2) return;
    done(static_cast<std::uint32_t>(answer[0].toDouble()), answer[1].toDouble());
  });
}

void PageBridge::FocusedField(std::function<void(std::optional<FieldInfo>)> done) {
  Run(FocusedFieldCall(),
      [done = std::move(done)](const QString& json) { done(ReadFocusedField(json)); });
}

}  // namespace lirvan
