#pragma once
// Qt widgets and objects created with a parent belong to that parent, which
// deletes them with itself; this is the one place that hands one over.
#include <memory>
#include <utility>

namespace lirvan {

template <typename T, typename... Args>
T* MakeOwnedByParent(Args&&... args) {
  auto object = std::make_unique<T>(std::forward<Args>(args)...);
  // The constructor was given the parent, which now owns the object.
  return object.release();
}

}  // namespace lirvan
