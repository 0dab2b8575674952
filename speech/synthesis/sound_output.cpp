#include "speech/synthesis/sound_output.h"

#include <new>
#include <vector>

#include "speech/synthesis/error_hook.h"

namespace lirvan {

int SoundOutput::PlayPieces(SoundPieces pieces) {
  std::vector<std::uint8_t> joined;
  try {
    std::size_t total = 0;
    for (const auto piece : pieces) total += piece.size();
    joined.reserve(total);
    for (const auto piece : pieces) joined.insert(joined.end(), piece.begin(), piece.end());
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
    return kErrorOutOfMemory;
  }
  return Play(joined);
}

}  // namespace lirvan
