// FLAC and Ogg Vorbis through libsndfile, fed 16-bit samples.
#include <sndfile.h>

#include <cstring>
#include <optional>

#include "platform/shared_library.h"
#include "platform/sound_file.h"

namespace lirvan {
namespace {

// libsndfile's functions, from the library loaded when the first encoded
// file is written (it brings the FLAC, Vorbis, Opus and MPEG codecs).
struct SndFile {
  decltype(&sf_open) open = nullptr;
  decltype(&sf_write_short) writeShort = nullptr;
  decltype(&sf_close) close = nullptr;
  decltype(&sf_strerror) strerror = nullptr;
};

const SndFile* LoadSndFile() {
  static const std::optional<SndFile> api = []() -> std::optional<SndFile> {
    static SharedLibrary library("libsndfile.so.1");
    SndFile sf;
    const bool bound = library.Bind(sf.open, "sf_open") && library.Bind(sf.writeShort, "sf_write_short") &&
                       library.Bind(sf.close, "sf_close") && library.Bind(sf.strerror, "sf_strerror");
    if (!bound) return std::nullopt;
    return sf;
  }();
  return api ? &*api : nullptr;
}

class EncodedSoundFile final : public SoundFileWriter {
 public:
  EncodedSoundFile(const SndFile& sf, std::filesystem::path path, SNDFILE* file, const PcmFormat& format)
      : sf_(sf), path_(std::move(path)), file_(file), eightBit_(format.bitsPerSample == 8) {}
  ~EncodedSoundFile() override { Finish(); }
  EncodedSoundFile(const EncodedSoundFile&) = delete;
  EncodedSoundFile& operator=(const EncodedSoundFile&) = delete;

  bool Write(std::span<const std::uint8_t> pcm) override {
    if (file_ == nullptr || failed_) return false;
    ToSamples(pcm);
    const auto count = static_cast<sf_count_t>(samples_.size());
    if (sf_.writeShort(file_, samples_.data(), count) != count) failed_ = true;
    return !failed_;
  }

  bool Finish() override {
    if (file_ != nullptr) {
      if (sf_.close(file_) != 0) failed_ = true;
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

  const SndFile& sf_;
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
  const SndFile* sf = LoadSndFile();
  if (sf == nullptr) {
    error = "cannot write " + path.string() + ": libsndfile (libsndfile.so.1) cannot be loaded";
    return nullptr;
  }
  SF_INFO info{};
  info.samplerate = format.sampleRate;
  info.channels = format.channels;
  info.format = kind == SoundFileKind::Flac ? (SF_FORMAT_FLAC | SF_FORMAT_PCM_16)
                                            : (SF_FORMAT_OGG | SF_FORMAT_VORBIS);
  SNDFILE* file = sf->open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) {
    error = "cannot write " + path.string() + ": " + sf->strerror(nullptr);
    return nullptr;
  }
  return std::make_unique<EncodedSoundFile>(*sf, path, file, format);
}

}  // namespace lirvan
