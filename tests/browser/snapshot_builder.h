#pragma once
// Snapshots written by hand for the reading logic's tests, with UTF-8
// texts, and the events of a reading command rendered as lines:
// "Speak\ttext", "SpeakAndWait\ttext", "focus 3", "select 4", "option 5".
#include <string>
#include <vector>

#include "browser/page_snapshot.h"
#include "browser/walk_events.h"

namespace lirvan::test {

struct ElementPlan {
  std::string tag;
  std::string text;  // UTF-8 inner text as the page would give it
  int parent = -1;
  ElementKind kind = ElementKind::Other;
  std::string name{};
  std::string type{};
  bool checked = false;
  int level = 0;
};

class SnapshotBuilder {
 public:
  // The index of the element added.
  int Add(ElementPlan plan);
  SnapshotBuilder& Text(std::string utf8) {
    text_ = std::move(utf8);
    return *this;
  }
  PageSnapshot Build(std::uint32_t generation = 1) const;

 private:
  std::vector<ElementPlan> plans_;
  std::string text_;
};

std::vector<std::string> Render(const WalkEvents& events);

}  // namespace lirvan::test
