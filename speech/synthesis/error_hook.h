#pragma once
// The engine's one error hook: loading, allocating or writing a file failed.
// It reports nothing to the user; a program may install a hook to log.
#include <functional>
#include <string>

namespace lirvan {

inline constexpr int kErrorFileMissing = -1;
inline constexpr int kErrorFileSize = -2;
inline constexpr int kErrorFileWrite = -4;
inline constexpr int kErrorBadFile = -5;
inline constexpr int kErrorOutOfMemory = 7;

void ReportEngineError(int code);
// Replaces the hook (empty: the default, which does nothing). Thread-safe.
void SetEngineErrorHook(std::function<void(int)> hook);

// The Turkish text for a device error code (1..12) or a file code; empty
// for any other code. CP1254.
std::string EngineErrorText(int code);

}  // namespace lirvan
