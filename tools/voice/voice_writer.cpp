#include "tools/voice/voice_writer.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace lirvan::voice {
namespace {

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

std::string Header(std::uint32_t dataLength, int sampleRate) {
  std::string h = "RIFF";
  Put32(h, 36 + dataLength);
  h += "WAVEfmt ";
  Put32(h, 16);
  Put16(h, 1);  // PCM
  Put16(h, 1);  // mono
  Put32(h, static_cast<std::uint32_t>(sampleRate));
  Put32(h, static_cast<std::uint32_t>(sampleRate) * 2);
  Put16(h, 2);
  Put16(h, 16);
  h += "data";
  Put32(h, dataLength);
  return h;
}

}  // namespace

VoiceStats WriteVoice(const std::string& folder, const std::vector<RenderedUnit>& units,
                      int sampleRate, int pauseMs) {
  // The engine's pause is file bytes 44 up to the first unit's data offset,
  // so the silent region is the pause plus those 44 bytes.
  const std::size_t pauseBytes = static_cast<std::size_t>(sampleRate) * 2 * static_cast<std::size_t>(pauseMs) / 1000 / 2 * 2;
  const std::size_t lead = pauseBytes + 44;

  std::string index;
  std::string data(lead, '\0');
  VoiceStats stats;
  for (const RenderedUnit& unit : units) {
    if (unit.samples.empty()) continue;
    const std::size_t offset = data.size();
    data.append(reinterpret_cast<const char*>(unit.samples.data()), unit.samples.size() * 2);
    index += std::to_string(unit.name.size()) + " " + unit.name + " " + std::to_string(offset) +
             " " + std::to_string(unit.samples.size() * 2) + "\n";
    ++stats.units;
  }
  stats.soundBytes = 44 + data.size();

  // Written aside and renamed into place: a running program keeps the
  // voice it mapped, never a half-written one.
  auto replace = [&](const std::string& name, const std::string& head, const std::string& body) {
    const std::string final = folder + "/" + name;
    const std::string part = final + ".part";
    {
      std::ofstream out(part, std::ios::binary | std::ios::trunc);
      out << head << body;
      if (!out.flush()) throw std::runtime_error("cannot write " + part);
    }
    if (std::rename(part.c_str(), final.c_str()) != 0) throw std::runtime_error("cannot replace " + final);
  };
  replace("sesler.dat", Header(static_cast<std::uint32_t>(data.size()), sampleRate), data);
  replace("index.dat", "", index);
  return stats;
}

}  // namespace lirvan::voice
