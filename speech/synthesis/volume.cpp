#include "speech/synthesis/volume.h"

#include <algorithm>
#include <cstring>

namespace lirvan {

std::uint32_t TripleVolume(std::uint32_t volume) {
  auto triple = [](std::uint32_t channel) { return std::min<std::uint32_t>(channel * 3, 0xFFFF); };
  return triple(volume & 0xFFFF) | (triple(volume >> 16) << 16);
}

void ApplyVolume(std::span<std::uint8_t> samples, const PcmFormat& format, std::uint32_t volume) {
  if (volume == kFullVolume || samples.empty()) return;
  const std::uint32_t gains[2] = {volume & 0xFFFF, volume >> 16};
  const bool stereo = format.channels >= 2;
  if (format.bitsPerSample == 16) {
    const std::size_t count = samples.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint32_t gain = gains[stereo ? (i % 2) : 0];
      std::int16_t s;
      std::memcpy(&s, &samples[2 * i], 2);
      s = static_cast<std::int16_t>(static_cast<std::int32_t>(s) * static_cast<std::int32_t>(gain) / 0xFFFF);
      std::memcpy(&samples[2 * i], &s, 2);
    }
  } else {
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const std::uint32_t gain = gains[stereo ? (i % 2) : 0];
      const int centred = static_cast<int>(samples[i]) - 128;
      samples[i] = static_cast<std::uint8_t>(centred * static_cast<int>(gain) / 0xFFFF + 128);
    }
  }
}

}  // namespace lirvan
