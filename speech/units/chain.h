#pragma once
// The singly linked lists of the engine (tokens, unit nodes): each node
// owns the rest of its list through `next`.
#include <memory>

namespace lirvan {

// A list built at its end, or taken from its front, without walking it.
template <typename Node>
class Chain {
 public:
  // Links the nodes (a whole list, or one node) after the last one.
  void Append(std::unique_ptr<Node> nodes) {
    if (!nodes) return;
    Node* last = nodes.get();
    while (last->next) last = last->next.get();
    (tail_ == nullptr ? head_ : tail_->next) = std::move(nodes);
    tail_ = last;
  }
  // The first node, unlinked from the rest; null when empty.
  std::unique_ptr<Node> PopFront() {
    std::unique_ptr<Node> first = std::move(head_);
    if (first) head_ = std::move(first->next);
    if (!head_) tail_ = nullptr;
    return first;
  }
  // The whole list; the chain is empty afterwards.
  std::unique_ptr<Node> Take() {
    tail_ = nullptr;
    return std::move(head_);
  }
  bool Empty() const { return head_ == nullptr; }

 private:
  std::unique_ptr<Node> head_;
  Node* tail_ = nullptr;
};

// Links rest after the last node of the list that head begins.
template <typename Node>
void AppendAfterLast(Node& head, std::unique_ptr<Node> rest) {
  Node* last = &head;
  while (last->next) last = last->next.get();
  last->next = std::move(rest);
}

}  // namespace lirvan
