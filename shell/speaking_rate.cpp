#include "shell/speaking_rate.h"

#include <algorithm>
#include <charconv>

#include "shell/text.h"
#include "speech/synthesis/rate_output.h"

namespace lirvan {

int RateFromSetting(const std::optional<std::string>& value) {
  if (!value) return kNormalRate;
  int rate = 0;
  const char* end = value->data() + value->size();
  const auto [stop, error] = std::from_chars(value->data(), end, rate);
  if (error != std::errc{} || stop != end || rate < kMinRate || rate > kMaxRate) return kNormalRate;
  return rate;
}

RateChange StepRate(int current, int delta) {
  const long wanted = static_cast<long>(current) + delta;
  const int rate = static_cast<int>(std::clamp<long>(wanted, kMinRate, kMaxRate));
  return {rate, wanted != rate};
}

std::string RateSentence(const RateChange& change) {
  std::string sentence = Cp("hız yüzde ") + std::to_string(change.rate);
  if (change.clamped) sentence += Cp(change.rate == kMaxRate ? ", en yüksek hız" : ", en düşük hız");
  return sentence;
}

}  // namespace lirvan
