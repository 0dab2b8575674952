#pragma once
// The speaking rate as the desktop keeps it: the later line "hiz=PERCENT"
// of the settings file, the steps of Alt+Up / Alt+Down and the sentence
// that tells the user the new rate.
#include <optional>
#include <string>

namespace lirvan {

inline constexpr const char* kRateSetting = "hiz";
inline constexpr int kRateStep = 10;

// The rate a later line gives: a whole number within 50..400; anything
// else (no line, garbage, out of range) is the normal rate.
int RateFromSetting(const std::optional<std::string>& value);

struct RateChange {
  int rate = 0;
  bool clamped = false;  // the step went past a limit and was held to it
};

// The rate one step of delta percent away, held within 50..400.
RateChange StepRate(int current, int delta);

// "hız yüzde 150" (the number is read by the engine), with "en yüksek hız"
// or "en düşük hız" after it when the change was held to a limit; CP1254.
std::string RateSentence(const RateChange& change);

}  // namespace lirvan
