#include "speech/synthesis/sound_output.h"

#include <new>

#include "speech/synthesis/error_hook.h"

namespace lirvan {

bool JoinPieces(SoundPieces pieces, std::vector<std::uint8_t>& into) {
  try {
    std::size_t total = 0;
    for (const auto piece : pieces) total += piece.size();
    into.clear();
    into.reserve(total);
    for (const auto piece : pieces) into.insert(into.end(), piece.begin(), piece.end());
  } catch (const std::bad_alloc&) {
    ReportEngineError(kErrorOutOfMemory);
    return false;
  }
  return true;
}

int SoundOutput::PlayPieces(SoundPieces pieces) {
  std::vector<std::uint8_t> joined;
  if (!JoinPieces(pieces, joined)) return kErrorOutOfMemory;
  return Play(joined);
}

}  // namespace lirvan
