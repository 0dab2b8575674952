#include "speech/synthesis/voice_data.h"

#include "platform/mapped_file.h"

namespace lirvan {
namespace {

class MappedVoice final : public VoiceData {
 public:
  explicit MappedVoice(MappedFile file) : file_(std::move(file)) {}

  std::uint64_t size() const override { return file_.size(); }
  std::optional<std::span<const std::uint8_t>> Bytes(std::uint64_t offset, std::size_t length) override {
    const auto bytes = file_.bytes();
    if (offset > bytes.size() || length > bytes.size() - offset) return std::nullopt;
    return bytes.subspan(static_cast<std::size_t>(offset), length);
  }

 private:
  MappedFile file_;
};

}  // namespace

std::unique_ptr<VoiceData> OpenMappedVoice(const std::filesystem::path& path, VoiceData::Error& error) {
  MappedFile::Error mapError{};
  auto file = MappedFile::Open(path.string(), mapError);
  if (!file) {
    error = mapError == MappedFile::Error::Missing           ? VoiceData::Error::Missing
            : mapError == MappedFile::Error::SizeUnavailable ? VoiceData::Error::SizeUnavailable
                                                             : VoiceData::Error::OutOfMemory;
    return nullptr;
  }
  return std::make_unique<MappedVoice>(std::move(*file));
}

}  // namespace lirvan
