#pragma once
// The volume of the sound the engine plays, applied in software. A volume
// holds the left channel in its low 16 bits and the right in its high 16.
#include <cstdint>
#include <span>

#include "platform/audio_output.h"

namespace lirvan {

inline constexpr std::uint32_t kFullVolume = 0xFFFFFFFFu;

// Each channel tripled, held at the maximum.
std::uint32_t TripleVolume(std::uint32_t volume);

// Scales the samples in place; full volume leaves them untouched.
void ApplyVolume(std::span<std::uint8_t> samples, const PcmFormat& format, std::uint32_t volume);

}  // namespace lirvan
