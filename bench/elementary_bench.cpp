// ns per call of each elementary function in its double, double-double and
// Real forms, on arguments of realistic size, and of Real's arithmetic beside
// plain double-double's.
#include "numeric/elementary/elementary.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <random>

namespace {

namespace nm = channelflow::numeric;
using nm::DoubleDouble;
using nm::Real;

constexpr std::size_t kCount = 1024;

// Arguments log-uniform in [low, high], as doubles, double-doubles and Reals.
struct Arguments {
  std::array<double, kCount> plain;
  std::array<DoubleDouble, kCount> pair;
  std::array<Real, kCount> real;
};

Arguments draw(double low, double high, unsigned seed) {
  Arguments a;
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> exponent(std::log2(low), std::log2(high));
  std::uniform_real_distribution<double> fraction(-0x1p-54, 0x1p-54);
  for (std::size_t i = 0; i < kCount; ++i) {
    a.plain[i] = std::exp2(exponent(random));
    a.pair[i] = nm::fastTwoSum(a.plain[i], a.plain[i] * fraction(random));
    a.real[i] = Real(a.pair[i]);
  }
  return a;
}

const Arguments& positive() {
  static const Arguments a = draw(1e-4, 1e4, 1);
  return a;
}
const Arguments& moderate() {  // for exp and expm1, sin and cos
  static const Arguments a = draw(1e-3, 20, 2);
  return a;
}
const Arguments& unitInterval() {  // for asin and acos
  static const Arguments a = draw(1e-3, 1, 3);
  return a;
}

template <typename F>
void each(benchmark::State& state, const Arguments& a, F f) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f(a, i));
    i = (i + 1) % kCount;
  }
}

#define FORMS(name, args)                                                                                        \
  void BM_##name##_Double(benchmark::State& s) {                                                                 \
    each(s, args(), [](const Arguments& a, std::size_t i) { return nm::name(a.plain[i]); });                     \
  }                                                                                                              \
  void BM_##name##_DoubleDouble(benchmark::State& s) {                                                           \
    each(s, args(), [](const Arguments& a, std::size_t i) { return nm::name(a.pair[i]); });                      \
  }                                                                                                              \
  void BM_##name##_Real(benchmark::State& s) {                                                                   \
    each(s, args(), [](const Arguments& a, std::size_t i) { return nm::name(a.real[i]); });                      \
  }                                                                                                              \
  BENCHMARK(BM_##name##_Double);                                                                                 \
  BENCHMARK(BM_##name##_DoubleDouble);                                                                           \
  BENCHMARK(BM_##name##_Real)

FORMS(cbrt, positive);
FORMS(log, positive);
FORMS(log1p, positive);
FORMS(exp, moderate);
FORMS(expm1, moderate);
FORMS(atan, positive);
FORMS(asin, unitInterval);
FORMS(acos, unitInterval);
FORMS(sin, moderate);
FORMS(cos, moderate);
FORMS(asinh, positive);

void BM_sqrt_DoubleDouble(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::sqrt(a.pair[i]); });
}
void BM_sqrt_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::sqrt(a.real[i]); });
}
void BM_atan2_Double(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::atan2(a.plain[i], a.plain[kCount - 1 - i]); });
}
void BM_atan2_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::atan2(a.real[i], a.real[kCount - 1 - i]); });
}
void BM_hypot_Double(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::hypot(a.plain[i], a.plain[kCount - 1 - i]); });
}
void BM_hypot_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::hypot(a.real[i], a.real[kCount - 1 - i]); });
}
void BM_pow_Double(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::pow(a.plain[i], 0.6); });
}
void BM_pow_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::pow(a.real[i], 0.6); });
}
// The core's exact-exponent powers: R^(2/3) = cbrt(R R) and R^(1/6) = sqrt(cbrt(R)).
void BM_twoThirds_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::cbrt(a.real[i] * a.real[i]); });
}
void BM_sixth_Real(benchmark::State& s) {
  each(s, positive(), [](const Arguments& a, std::size_t i) { return nm::sqrt(nm::cbrt(a.real[i])); });
}
BENCHMARK(BM_sqrt_DoubleDouble);
BENCHMARK(BM_sqrt_Real);
BENCHMARK(BM_atan2_Double);
BENCHMARK(BM_atan2_Real);
BENCHMARK(BM_hypot_Double);
BENCHMARK(BM_hypot_Real);
BENCHMARK(BM_pow_Double);
BENCHMARK(BM_pow_Real);
BENCHMARK(BM_twoThirds_Real);
BENCHMARK(BM_sixth_Real);

// The four operations: Real beside double-double.
#define ARITHMETIC(name, op)                                                                                    \
  void BM_##name##_DoubleDouble(benchmark::State& s) {                                                          \
    each(s, positive(), [](const Arguments& a, std::size_t i) { return a.pair[i] op a.pair[kCount - 1 - i]; }); \
  }                                                                                                             \
  void BM_##name##_Real(benchmark::State& s) {                                                                  \
    each(s, positive(), [](const Arguments& a, std::size_t i) { return a.real[i] op a.real[kCount - 1 - i]; }); \
  }                                                                                                             \
  BENCHMARK(BM_##name##_DoubleDouble);                                                                          \
  BENCHMARK(BM_##name##_Real)

ARITHMETIC(add, +);
ARITHMETIC(subtract, -);
ARITHMETIC(multiply, *);
ARITHMETIC(divide, /);

}  // namespace
