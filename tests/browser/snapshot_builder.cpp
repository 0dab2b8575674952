#include "snapshot_builder.h"

#include "platform/cp1254.h"
#include "shell/text.h"

namespace lirvan::test {

int SnapshotBuilder::Add(ElementPlan plan) {
  plans_.push_back(std::move(plan));
  return static_cast<int>(plans_.size()) - 1;
}

PageSnapshot SnapshotBuilder::Build(std::uint32_t generation) const {
  PageSnapshot snapshot;
  snapshot.generation = generation;
  snapshot.isHtml = true;
  snapshot.hasBody = true;
  snapshot.text = Cp(text_);
  std::uint32_t uid = 1;
  for (const ElementPlan& plan : plans_) {
    PageElement element;
    element.tag = plan.tag;
    element.text = StoredText(Cp(plan.text));
    element.name = Cp(plan.name);
    element.type = plan.type;
    element.kind = plan.kind;
    element.checked = plan.checked;
    element.level = plan.level;
    element.parent = plan.parent;
    element.uid = uid++;
    snapshot.elements.push_back(std::move(element));
  }
  LinkChildren(snapshot);
  return snapshot;
}

std::vector<std::string> Render(const WalkEvents& events) {
  std::vector<std::string> lines;
  for (const WalkEvent& event : events.events()) {
    if (const auto* said = std::get_if<Utterance>(&event)) {
      lines.push_back(std::string(said->wait ? "SpeakAndWait\t" : "Speak\t") +
                      Cp1254ToUtf8(said->text.Joined()));
      continue;
    }
    const auto& action = std::get<PageAction>(event);
    const char* kind = action.kind == PageActionKind::Focus        ? "focus "
                       : action.kind == PageActionKind::SelectText ? "select "
                                                                   : "option ";
    lines.push_back(kind + std::to_string(action.element));
  }
  return lines;
}

}  // namespace lirvan::test
