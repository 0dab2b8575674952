#include "platform/trace.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "platform/cp1254.h"

namespace lirvan {
namespace {
std::atomic<bool> gEnabled{false};
std::mutex gOutput;  // lines from producer, consumer and UI threads stay whole

void Write(std::string_view text, bool lineEnd) {
  std::string out = Cp1254ToUtf8(text);
  if (lineEnd) out += '\n';
  std::lock_guard lock(gOutput);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
}
}  // namespace

void SetTraceEnabled(bool on) { gEnabled.store(on, std::memory_order_relaxed); }
bool TraceEnabled() { return gEnabled.load(std::memory_order_relaxed); }

void Trace(std::string_view text) {
  if (TraceEnabled()) Write(text, false);
}
void TraceLine(std::string_view text) {
  if (TraceEnabled()) Write(text, true);
}

}  // namespace lirvan
