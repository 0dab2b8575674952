#pragma once
#include <memory>
#include <string>

namespace lirvan {

// One element of a token's unit list: a recorded unit name of one to four
// letters, or empty when no recording covers the piece.
struct UnitNode {
  std::unique_ptr<UnitNode> next;
  std::string name;

  UnitNode() = default;
  explicit UnitNode(std::string unitName) : name(std::move(unitName)) {}
  UnitNode(const UnitNode&) = delete;
  UnitNode& operator=(const UnitNode&) = delete;
  // Unlinks iteratively so a long list never recurses deeply.
  ~UnitNode();
};

}  // namespace lirvan
