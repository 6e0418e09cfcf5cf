// The correctly rounded power beside the C library's pow, on hydraulic radii
// of real channels (1e-4 to 1e3 m, log-uniform) raised to 1/6 as in C = R^(1/6)/n.
#include "numeric/elementary/correct_power.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <random>

namespace {

constexpr std::size_t kCount = 4096;

const std::array<double, kCount>& radii() {
  static const std::array<double, kCount> values = [] {
    std::array<double, kCount> result{};
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> exponent(std::log(1e-4), std::log(1e3));
    for (double& value : result) value = std::exp(exponent(random));
    return result;
  }();
  return values;
}

template <double (*kPower)(double, double)>
void runPower(benchmark::State& state) {
  const std::array<double, kCount>& values = radii();
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(kPower(values[k++ % kCount], 1.0 / 6.0));
  }
}

double libraryPower(double base, double exponent) { return std::pow(base, exponent); }

void BM_CorrectlyRoundedPower(benchmark::State& state) { runPower<channelflow::numeric::correctlyRoundedPower>(state); }
BENCHMARK(BM_CorrectlyRoundedPower);

void BM_StdPow(benchmark::State& state) { runPower<libraryPower>(state); }
BENCHMARK(BM_StdPow);

}  // namespace
