#pragma once
// Writes a voice in the two-file format: veriler/index.dat (letter count,
// name, offset, size per unit) and veriler/sesler.dat (a WAVE file whose
// data area is a silent pause followed by the units end to end).
#include <cstdint>
#include <string>
#include <vector>

namespace lirvan::voice {

struct RenderedUnit {
  std::string name;  // CP1254
  std::vector<std::int16_t> samples;
};

struct VoiceStats {
  std::size_t units = 0;
  std::size_t soundBytes = 0;
};

// pauseMs: the pause the engine appends after every token.
VoiceStats WriteVoice(const std::string& folder, const std::vector<RenderedUnit>& units,
                      int sampleRate, int pauseMs);

}  // namespace lirvan::voice
