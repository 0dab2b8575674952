#include "platform/audio_output.h"

namespace lirvan {
namespace {

class NullAudio final : public AudioOutput {
 public:
  explicit NullAudio(DoneCallback done) : done_(std::move(done)) {}
  int Write(const std::uint8_t*, std::size_t) override {
    done_();
    return 0;
  }
  void Reset() override {}

 private:
  DoneCallback done_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeNullAudio(AudioOutput::DoneCallback done) {
  return std::make_unique<NullAudio>(std::move(done));
}

}  // namespace lirvan
