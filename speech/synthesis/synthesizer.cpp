#include "speech/synthesis/synthesizer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string_view>

#include "platform/mapped_file.h"
#include "platform/trace.h"
#include "platform/wave_file.h"
#include "speech/synthesis/error_hook.h"
#include "speech/synthesis/tts_sound.h"
#include "speech/units/token.h"
#include "speech/units/unit_index.h"

namespace lirvan {
namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// Unit names longer than a phone slot cannot be in the index.
constexpr std::size_t kPhoneNameMax = 5;

}  // namespace

bool WaveHeader::Parse(const std::uint8_t* b, std::size_t length, WaveHeader& out) {
  if (length < 44) return false;
  std::memcpy(out.raw.data(), b, 44);
  out.packageLength = Le32(b + 4);
  out.formatTag = Le16(b + 20);
  out.channels = Le16(b + 22);
  out.sampleRate = Le32(b + 24);
  out.byteRate = Le32(b + 28);
  out.blockAlign = Le16(b + 32);
  out.bitsPerSample = Le16(b + 34);
  out.dataLength = Le32(b + 40);
  return true;
}

Synthesizer::Synthesizer(const UnitIndex& unitIndex, const SynthesizerOptions& options)
    : home_(options.home), unitIndex_(unitIndex) {
  Load(options.home);
  const std::size_t bytesPerSecond =
      std::size_t{header_.sampleRate} * header_.channels * (header_.bitsPerSample / 8u);
  recording_ = Recording(static_cast<std::size_t>(std::max(options.recordingSeconds, 0)) * bytesPerSecond,
                         header_.blockAlign, options.keepRecording);
  if (options.output == nullptr) device_ = std::make_unique<TTSSound>(options.audio);
  output_ = options.output != nullptr ? options.output : device_.get();
  rate_ = std::make_unique<RateOutput>(*output_, options.rate);
  rate_->Open(format());
}

Synthesizer::~Synthesizer() {
  rate_->WaitUntilIdle();
  device_.reset();  // waits until the last buffer has been played
}

PcmFormat Synthesizer::format() const {
  return PcmFormat{header_.bitsPerSample, static_cast<int>(header_.sampleRate), header_.channels};
}

void Synthesizer::Load(const std::filesystem::path& home) {
  const std::int64_t firstOffset = SmallestIndexOffset(IndexFile(home)).value_or(-1);
  MappedFile::Error error{};
  auto file = MappedFile::Open(SoundFile(home).string(), error);
  if (!file || firstOffset < 0) {
    ReportEngineError(!file && error == MappedFile::Error::SizeUnavailable ? kErrorFileSize
                      : !file && error == MappedFile::Error::OutOfMemory ? kErrorOutOfMemory
                                                                          : kErrorFileMissing);
    return;
  }
  totalSize_ = static_cast<std::int64_t>(file->size());
  if (TraceEnabled()) TraceLine("totalSize = " + std::to_string(totalSize_));
  const auto bytes = file->bytes();
  if (!WaveHeader::Parse(bytes.data(), bytes.size(), header_)) {
    ReportEngineError(kErrorBadFile);  // shorter than a header: nothing to play
    return;
  }
  if (TraceEnabled()) {
    TraceLine("header.riffChunk.packageLength = " + std::to_string(header_.packageLength));
    TraceLine("header.dataChunk.dataLength = " + std::to_string(header_.dataLength));
  }
  data_ = bytes.subspan(44);
  TakePause(firstOffset);
  sound_ = std::move(file);
}

// The pause is file bytes [44, smallest offset), within what the file
// holds. One longer than a couple of seconds comes from a broken index
// (a wild offset), and every word would carry it: a short silence instead.
void Synthesizer::TakePause(std::int64_t smallestOffset) {
  const auto pauseBytes = static_cast<std::size_t>(std::max<std::int64_t>(smallestOffset - 44, 0));
  const std::size_t pause = std::min(pauseBytes, data_.size());
  const PcmFormat f = format();
  const std::size_t perSecond = f.bitsPerSample > 0 && f.BytesPerSecond() > 0
                                    ? static_cast<std::size_t>(f.BytesPerSecond())
                                    : std::size_t{44100};
  if (pause <= kMaxPauseSeconds * perSecond) {
    pauseWave_.Set(std::vector<std::uint8_t>(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(pause)));
    return;
  }
  ReportEngineError(kErrorBadFile);
  const std::size_t frame = std::max<std::size_t>(header_.blockAlign, 1);
  const std::size_t silence = perSecond / 50 / frame * frame;  // 20 ms
  pauseWave_.Set(std::vector<std::uint8_t>(silence, header_.bitsPerSample == 8 ? 0x80 : 0x00));
}

std::optional<std::span<const std::uint8_t>> Synthesizer::FindUnit(const std::string& name) const {
  auto missing = [&]() -> std::optional<std::span<const std::uint8_t>> {
    if (TraceEnabled()) Trace("\n***************Phone Not Found: " + name + "... \n");
    return std::nullopt;
  };
  const auto entry = name.size() > kPhoneNameMax ? std::nullopt : unitIndex_.Find(name);
  if (!entry) return missing();
  if (TraceEnabled()) {
    Trace("Offset  " + std::to_string(entry->offset) + "    Size:   " + std::to_string(entry->size) + "\n");
  }
  if (entry->size < 1 || entry->offset < 0) return missing();
  const auto begin = static_cast<std::size_t>(entry->offset);
  const auto size = static_cast<std::size_t>(entry->size);
  // A range that leaves the data area is never read: the unit is missing.
  if (begin > data_.size() || size > data_.size() - begin) return missing();
  return data_.subspan(begin, size);
}

bool Synthesizer::AssembleUnits(const Token& token, Wave& out) const {
  // Find every unit first, so the wave is allocated once and each unit's
  // bytes are copied once; any missing unit silences the whole token.
  std::vector<std::span<const std::uint8_t>> pieces;
  std::size_t total = pauseWave_.length();
  for (const UnitNode& node : SpokenUnits(token)) {
    auto unit = FindUnit(node.name);
    if (!unit) return false;
    if (TraceEnabled()) TraceLine("");
    pieces.push_back(*unit);
    total += unit->size();
  }
  out.Reserve(total);
  for (auto piece : pieces) {
    if (!out.Append(piece)) {
      out.Clear();
      return false;
    }
  }
  return true;
}

void Synthesizer::SpeakToken(const Token& token) {
  if (token.kind == TokenKind::Rule) {
    TraceLine("Rule update message info");
    ApplyRule(token);
    return;
  }
  if (TraceEnabled()) {
    for (const UnitNode& node : SpokenUnits(token)) TraceLine("token: " + node.name);
  }
  rate_->WaitUntilIdle();  // a sound started by another thread finishes first

  Wave totalWave;
  if (!AssembleUnits(token, totalWave)) totalWave.Clear();
  totalWave.Append(pauseWave_);
  Record(totalWave);
  if (const std::uint32_t volume = volume_.load(); volume != kFullVolume) {
    ApplyVolume(totalWave.mutableBytes(), format(), volume);
  }
  rate_->Play(totalWave.bytes());
}

int Synthesizer::SetRate(int percent) {
  rate_->SetRate(percent);
  return rate_->Rate();
}

void Synthesizer::Record(const Wave& sound) {
  std::lock_guard lock(recordingMutex_);
  if (!recording_.Append(sound.bytes()) || !recording_.Append(pauseWave_.bytes())) {
    ReportEngineError(kErrorOutOfMemory);
  }
}

std::size_t Synthesizer::RecordingLength() const {
  std::lock_guard lock(recordingMutex_);
  return recording_.TotalAppended();
}

std::vector<std::uint8_t> Synthesizer::RecordingBytes() const {
  std::lock_guard lock(recordingMutex_);
  return recording_.Bytes();
}

SavedRecording Synthesizer::SaveRecording() const { return SaveRecording(home_ / "veriler/output.wav"); }

SavedRecording Synthesizer::SaveRecording(const std::filesystem::path& path) const {
  return SaveRecording(path, kWaveDataLimit);
}

SavedRecording Synthesizer::SaveRecording(const std::filesystem::path& path,
                                          std::uint64_t dataLimit) const {
  WaveFileWriter writer(path, header_.raw, std::max<std::size_t>(header_.blockAlign, 1), dataLimit);
  bool ok = writer.Open();
  if (ok) {
    std::lock_guard lock(recordingMutex_);
    ok = recording_.WriteTo([&](std::span<const std::uint8_t> bytes) { return writer.Write(bytes); });
  }
  ok = writer.Finish() && ok;
  if (!ok) ReportEngineError(kErrorFileWrite);
  return SavedRecording{ok, writer.Files()};
}

void Synthesizer::ApplyRule(const Token& token) {
  if (!token.rule || token.rule->kind != 4 || token.rule->value != 1) return;
  const std::uint32_t v = GetVolume();
  if (TraceEnabled()) TraceLine("vol: " + std::to_string(v));
  SetVolume(TripleVolume(v));
  if (TraceEnabled()) TraceLine("vol: " + std::to_string(GetVolume()));
}

}  // namespace lirvan
