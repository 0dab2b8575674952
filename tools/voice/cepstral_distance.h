#pragma once
// How far one rendering of a word is from another: mel-cepstral distortion
// after dynamic time warping, and the share of silent frames in speech.
#include <array>
#include <cstdint>
#include <vector>

namespace lirvan::voice {

inline constexpr int kCepstralOrder = 13;  // c1..c13; c0 (loudness) left out
using MelCepstrum = std::array<double, kCepstralOrder>;

// One mel cepstrum per 5 ms hop over 25 ms Hann windows.
std::vector<MelCepstrum> MelCepstra(const std::vector<std::int16_t>& samples, int sampleRate);

// Mean mel-cepstral distortion in dB, (10 / ln 10) * sqrt(2 * sum of
// squared differences), along the cheapest time warping of b onto a.
// Negative when either side has no frame.
double DtwDistortion(const std::vector<MelCepstrum>& a, const std::vector<MelCepstrum>& b);

// Share of 10 ms frames whose RMS lies below `quiet`.
double SilentShare(const std::vector<std::int16_t>& samples, int sampleRate, double quiet = 200);

}  // namespace lirvan::voice
