// FLAC and Ogg Vorbis through libsndfile, fed 16-bit samples.
#include <sndfile.h>

#include <cstring>

#include "platform/sound_file.h"

namespace lirvan {
namespace {

class EncodedSoundFile final : public SoundFileWriter {
 public:
  EncodedSoundFile(std::filesystem::path path, SNDFILE* file, const PcmFormat& format)
      : path_(std::move(path)), file_(file), eightBit_(format.bitsPerSample == 8) {}
  ~EncodedSoundFile() override { Finish(); }
  EncodedSoundFile(const EncodedSoundFile&) = delete;
  EncodedSoundFile& operator=(const EncodedSoundFile&) = delete;

  bool Write(std::span<const std::uint8_t> pcm) override {
    if (file_ == nullptr || failed_) return false;
    ToSamples(pcm);
    const auto count = static_cast<sf_count_t>(samples_.size());
    if (sf_write_short(file_, samples_.data(), count) != count) failed_ = true;
    return !failed_;
  }

  bool Finish() override {
    if (file_ != nullptr) {
      if (sf_close(file_) != 0) failed_ = true;
      file_ = nullptr;
    }
    return !failed_;
  }

  std::vector<std::filesystem::path> Files() const override { return {path_}; }

 private:
  // 8-bit WAVE samples are unsigned around 128; 16-bit ones are
  // little-endian, as this machine's shorts are.
  void ToSamples(std::span<const std::uint8_t> pcm) {
    if (eightBit_) {
      samples_.resize(pcm.size());
      for (std::size_t i = 0; i < pcm.size(); ++i) {
        samples_[i] = static_cast<short>((static_cast<int>(pcm[i]) - 128) * 256);
      }
    } else {
      samples_.resize(pcm.size() / 2);
      std::memcpy(samples_.data(), pcm.data(), samples_.size() * 2);
    }
  }

  std::filesystem::path path_;
  SNDFILE* file_;
  bool eightBit_;
  bool failed_ = false;
  std::vector<short> samples_;
};

}  // namespace

std::unique_ptr<SoundFileWriter> OpenEncodedSoundFile(const std::filesystem::path& path,
                                                      SoundFileKind kind, const PcmFormat& format,
                                                      std::string& error) {
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
    error = "only 8- and 16-bit sound can be encoded: " + path.string();
    return nullptr;
  }
  SF_INFO info{};
  info.samplerate = format.sampleRate;
  info.channels = format.channels;
  info.format = kind == SoundFileKind::Flac ? (SF_FORMAT_FLAC | SF_FORMAT_PCM_16)
                                            : (SF_FORMAT_OGG | SF_FORMAT_VORBIS);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = "cannot write " + path.string() + ": " + sf_strerror(nullptr);
    return nullptr;
  }
  return std::make_unique<EncodedSoundFile>(path, file, format);
}

}  // namespace lirvan
