#pragma once
// A stack of markup values (emphasis levels, rates, pitches ...). The value
// a stack is reset to sits at its bottom; closing tags never pop it.
#include <cstddef>
#include <vector>

namespace lirvan {

class ValueStack {
 public:
  ValueStack() { values_.reserve(10); }

  void Push(int value) { values_.push_back(value); }
  // Popping an empty stack does nothing.
  void Pop() {
    if (!values_.empty()) values_.pop_back();
  }
  // -1 when empty.
  int Top() const { return values_.empty() ? -1 : values_.back(); }
  std::size_t Depth() const { return values_.size(); }
  void Clear() { values_.clear(); }

 private:
  // Grows geometrically: a text full of opening tags must not turn every
  // push into a copy of the whole stack.
  std::vector<int> values_;
};

}  // namespace lirvan
