#include "speech/synthesis/synthesizer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string_view>

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
    : home_(options.home), unitIndex_(unitIndex), preloadVoice_(options.preloadVoice) {
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
  VoiceData::Error error{};
  auto voice = preloadVoice_ ? OpenMappedVoice(SoundFile(home), error)
                             : OpenStreamedVoice(SoundFile(home), kStreamedVoiceBudget, error);
  if (!voice || firstOffset < 0) {
    ReportEngineError(!voice && error == VoiceData::Error::SizeUnavailable ? kErrorFileSize
                      : !voice && error == VoiceData::Error::OutOfMemory ? kErrorOutOfMemory
                                                                          : kErrorFileMissing);
    return;
  }
  totalSize_ = static_cast<std::int64_t>(voice->size());
  if (TraceEnabled()) TraceLine("totalSize = " + std::to_string(totalSize_));
  const auto header = voice->Bytes(0, 44);
  if (!header || !WaveHeader::Parse(header->data(), header->size(), header_)) {
    ReportEngineError(kErrorBadFile);  // shorter than a header: nothing to play
    return;
  }
  if (TraceEnabled()) {
    TraceLine("header.riffChunk.packageLength = " + std::to_string(header_.packageLength));
    TraceLine("header.dataChunk.dataLength = " + std::to_string(header_.dataLength));
  }
  dataSize_ = static_cast<std::size_t>(voice->size() - 44);
  voice_ = std::move(voice);
  TakePause(firstOffset);
  voice_->Forget();
}

// The pause is file bytes [44, smallest offset), within what the file
// holds. One longer than a couple of seconds comes from a broken index
// (a wild offset), and every word would carry it: a short silence instead.
void Synthesizer::TakePause(std::int64_t smallestOffset) {
  const auto pauseBytes = static_cast<std::size_t>(std::max<std::int64_t>(smallestOffset - 44, 0));
  const std::size_t pause = std::min(pauseBytes, dataSize_);
  const PcmFormat f = format();
  const std::size_t perSecond = f.bitsPerSample > 0 && f.BytesPerSecond() > 0
                                    ? static_cast<std::size_t>(f.BytesPerSecond())
                                    : std::size_t{44100};
  const auto bytes = pause <= kMaxPauseSeconds * perSecond ? voice_->Bytes(44, pause) : std::nullopt;
  if (bytes) {
    pauseWave_.Set(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
    return;
  }
  ReportEngineError(kErrorBadFile);
  const std::size_t frame = std::max<std::size_t>(header_.blockAlign, 1);
  const std::size_t silence = perSecond / 50 / frame * frame;  // 20 ms
  pauseWave_.Set(std::vector<std::uint8_t>(silence, header_.bitsPerSample == 8 ? 0x80 : 0x00));
}

std::optional<std::span<const std::uint8_t>> Synthesizer::FindUnit(const std::string& name) {
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
  if (!voice_ || begin > dataSize_ || size > dataSize_ - begin) return missing();
  const auto bytes = voice_->Bytes(44 + std::uint64_t{begin}, size);
  if (!bytes) return missing();
  return bytes;
}

bool Synthesizer::FindUnits(const Token& token, std::vector<std::span<const std::uint8_t>>& pieces) {
  // Any missing unit silences the whole token.
  for (const UnitNode& node : SpokenUnits(token)) {
    auto unit = FindUnit(node.name);
    if (!unit) return false;
    if (TraceEnabled()) TraceLine("");
    pieces.push_back(*unit);
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

  // The units as they lie in the voice, then the pause: nothing is joined
  // unless the volume changes the bytes or the output needs one buffer. A
  // streamed voice keeps the units' bytes until the token has been played.
  std::unique_lock voiceLock(voiceMutex_, std::defer_lock);
  if (voice_ && voice_->Streamed()) voiceLock.lock();
  std::vector<std::span<const std::uint8_t>> pieces;
  if (!FindUnits(token, pieces)) pieces.clear();
  pieces.push_back(pauseWave_.bytes());
  Record(pieces);
  if (const std::uint32_t volume = volume_.load(); volume != kFullVolume) {
    std::vector<std::uint8_t> joined;
    if (JoinPieces(pieces, joined)) {
      ApplyVolume(joined, format(), volume);
      rate_->Play(joined);
    }
  } else {
    rate_->PlayPieces(pieces);
  }
  if (voiceLock.owns_lock()) voice_->Forget();
}

int Synthesizer::SetRate(int percent) {
  rate_->SetRate(percent);
  return rate_->Rate();
}

void Synthesizer::Record(SoundPieces pieces) {
  std::lock_guard lock(recordingMutex_);
  bool ok = true;
  for (const auto piece : pieces) ok = ok && recording_.Append(piece);
  if (!ok || !recording_.Append(pauseWave_.bytes())) ReportEngineError(kErrorOutOfMemory);
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
