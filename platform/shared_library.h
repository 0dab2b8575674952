#pragma once
// A library loaded when it is first needed rather than when the program
// starts: the audio stack and the codecs cost a program that writes a
// WAVE file, or plays nothing, several milliseconds of start-up for
// nothing.
#include <string>

namespace lirvan {

class SharedLibrary {
 public:
  // Loads the library by its versioned name; Loaded() tells whether it was
  // found. It stays loaded for the life of the program: threads it started
  // may outlive any one user.
  explicit SharedLibrary(const char* soname);
  bool Loaded() const { return handle_ != nullptr; }

  // Sets `function` to the symbol of that name; false (and the library
  // counted as missing) when it is not there.
  template <typename Function>
  bool Bind(Function*& function, const char* name) {
    function = reinterpret_cast<Function*>(Symbol(name));
    if (function == nullptr) handle_ = nullptr;
    return function != nullptr;
  }

 private:
  void* Symbol(const char* name) const;
  void* handle_ = nullptr;
};

}  // namespace lirvan
