#include "sd/event_writer.h"

#include <unistd.h>

#include <cerrno>

namespace lirvan::sd {

std::string EscapeAudio(std::span<const std::uint8_t> bytes) {
  constexpr std::uint8_t kEscape = 0x7D;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 64 + 8);
  for (const std::uint8_t b : bytes) {
    if (b == '\n' || b == kEscape) {
      out.push_back(static_cast<char>(kEscape));
      out.push_back(static_cast<char>(b ^ 0x20));
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  return out;
}

void EventWriter::WriteLocked(std::string_view bytes) {
  while (!failed_ && !bytes.empty()) {
    const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
    if (put > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(put));
    } else if (put < 0 && errno == EINTR) {
      continue;
    } else {
      failed_ = true;
    }
  }
}

void EventWriter::Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const auto line : lines) {
    text += line;
    text += '\n';
  }
  std::lock_guard lock(mutex_);
  WriteLocked(text);
}

namespace {

// A name is one line: a newline in it would break the protocol.
std::string OneLine(std::string_view prefix, std::string_view name) {
  std::string line(prefix);
  for (const char c : name) line += (c == '\n' || c == '\r') ? ' ' : c;
  return line;
}

}  // namespace

void EventWriter::Mark(std::string_view name) { Lines({OneLine("700-", name), "700 INDEX MARK"}); }

void EventWriter::Icon(std::string_view name) { Lines({OneLine("706-", name), "706 ICON"}); }

void EventWriter::Audio(const PcmFormat& format, std::span<const std::uint8_t> samples) {
  const std::size_t frame = static_cast<std::size_t>(format.channels * format.bitsPerSample / 8);
  if (frame == 0 || samples.size() < frame) return;
  samples = samples.first(samples.size() - samples.size() % frame);
  std::string text;
  text += "705-bits=" + std::to_string(format.bitsPerSample) + '\n';
  text += "705-num_channels=" + std::to_string(format.channels) + '\n';
  text += "705-sample_rate=" + std::to_string(format.sampleRate) + '\n';
  text += "705-num_samples=" + std::to_string(samples.size() / frame) + '\n';
  text += "705-AUDIO";
  text += '\0';
  text += EscapeAudio(samples);
  text += "\n705 AUDIO\n";
  std::lock_guard lock(mutex_);
  WriteLocked(text);
}

bool EventWriter::Ok() const {
  std::lock_guard lock(mutex_);
  return !failed_;
}

}  // namespace lirvan::sd
