#include "tools/voice/cepstral_distance.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

namespace lirvan::voice {
namespace {

constexpr int kFft = 1024;
constexpr int kBands = 40;
constexpr double kTopHz = 8000;

double Mel(double hz) { return 2595 * std::log10(1 + hz / 700); }
double Hz(double mel) { return 700 * (std::pow(10, mel / 2595) - 1); }

// Triangular mel filters over the FFT bins: weights[band][bin].
std::vector<std::vector<double>> MelFilters(int sampleRate) {
  std::vector<double> edges(kBands + 2);
  for (int i = 0; i < kBands + 2; ++i) edges[i] = Hz(Mel(kTopHz) * i / (kBands + 1));
  std::vector<std::vector<double>> filters(kBands, std::vector<double>(kFft / 2 + 1, 0));
  for (int b = 0; b < kBands; ++b) {
    for (int k = 0; k <= kFft / 2; ++k) {
      const double hz = static_cast<double>(k) * sampleRate / kFft;
      const double up = (hz - edges[b]) / (edges[b + 1] - edges[b]);
      const double down = (edges[b + 2] - hz) / (edges[b + 2] - edges[b + 1]);
      filters[b][k] = std::max(0.0, std::min(up, down));
    }
  }
  return filters;
}

struct PlanDeleter {
  void operator()(fftw_plan_s* p) const { fftw_destroy_plan(p); }
};
struct FftwFree {
  void operator()(void* p) const { fftw_free(p); }
};

}  // namespace

std::vector<MelCepstrum> MelCepstra(const std::vector<std::int16_t>& samples, int sampleRate) {
  const int window = sampleRate / 40;  // 25 ms
  const int hop = sampleRate / 200;    // 5 ms
  std::unique_ptr<double, FftwFree> in(static_cast<double*>(fftw_malloc(sizeof(double) * kFft)));
  std::unique_ptr<fftw_complex, FftwFree> out(
      static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * (kFft / 2 + 1))));
  std::unique_ptr<fftw_plan_s, PlanDeleter> plan(
      fftw_plan_dft_r2c_1d(kFft, in.get(), out.get(), FFTW_ESTIMATE));
  const auto filters = MelFilters(sampleRate);

  std::vector<MelCepstrum> frames;
  for (std::size_t start = 0; start + static_cast<std::size_t>(window) <= samples.size(); start += static_cast<std::size_t>(hop)) {
    std::fill(in.get(), in.get() + kFft, 0.0);
    for (int i = 0; i < window && i < kFft; ++i) {
      const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (window - 1));
      in.get()[i] = w * samples[start + static_cast<std::size_t>(i)] / 32768.0;
    }
    fftw_execute(plan.get());
    std::array<double, kBands> logAmplitude{};
    for (int b = 0; b < kBands; ++b) {
      double energy = 0;
      for (int k = 0; k <= kFft / 2; ++k) {
        const double re = out.get()[k][0];
        const double im = out.get()[k][1];
        energy += filters[b][k] * (re * re + im * im);
      }
      logAmplitude[b] = 0.5 * std::log(std::max(energy, 1e-10));
    }
    MelCepstrum c{};
    for (int n = 1; n <= kCepstralOrder; ++n) {  // orthonormal DCT-II
      double sum = 0;
      for (int b = 0; b < kBands; ++b) sum += logAmplitude[b] * std::cos(std::numbers::pi * n * (b + 0.5) / kBands);
      c[n - 1] = sum * std::sqrt(2.0 / kBands);
    }
    frames.push_back(c);
  }
  return frames;
}

double DtwDistortion(const std::vector<MelCepstrum>& a, const std::vector<MelCepstrum>& b) {
  if (a.empty() || b.empty()) return -1;
  const double scale = 10 / std::numbers::ln10 * std::sqrt(2.0);
  auto distance = [&](std::size_t i, std::size_t j) {
    double sum = 0;
    for (int d = 0; d < kCepstralOrder; ++d) sum += (a[i][d] - b[j][d]) * (a[i][d] - b[j][d]);
    return scale * std::sqrt(sum);
  };
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::size_t m = b.size();
  // cost and path length of the cheapest path to (i, j), one row at a time.
  std::vector<double> cost(m, kInf), prevCost(m, kInf);
  std::vector<std::size_t> steps(m, 0), prevSteps(m, 0);
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (std::size_t j = 0; j < m; ++j) {
      double best = i == 0 && j == 0 ? 0 : kInf;
      std::size_t bestSteps = 0;
      auto take = [&](double c, std::size_t s) {
        if (c < best) best = c, bestSteps = s;
      };
      if (i > 0) take(prevCost[j], prevSteps[j]);
      if (j > 0) take(cost[j - 1], steps[j - 1]);
      if (i > 0 && j > 0) take(prevCost[j - 1], prevSteps[j - 1]);
      cost[j] = best + distance(i, j);
      steps[j] = bestSteps + 1;
    }
    std::swap(cost, prevCost);
    std::swap(steps, prevSteps);
  }
  return prevCost[m - 1] / static_cast<double>(prevSteps[m - 1]);
}

double SilentShare(const std::vector<std::int16_t>& samples, int sampleRate, double quiet) {
  const std::size_t frame = static_cast<std::size_t>(sampleRate) / 100;
  std::size_t frames = 0;
  std::size_t silent = 0;
  for (std::size_t start = 0; start + frame <= samples.size(); start += frame) {
    double sum = 0;
    for (std::size_t i = start; i < start + frame; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    ++frames;
    silent += std::sqrt(sum / static_cast<double>(frame)) < quiet ? 1 : 0;
  }
  return frames == 0 ? 0 : static_cast<double>(silent) / static_cast<double>(frames);
}

}  // namespace lirvan::voice
