// ns per call of the number text forms beside std::to_chars's shortest form
// on the same doubles: near 1, far from 1 (the E notation), subnormal, and
// in fixed places. Each row cycles through four values.
#include "numeric/text/number_text.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstddef>

namespace {

namespace nm = channelflow::numeric;
using Values = std::array<double, 4>;

const Values kNearOne{0.9210227840493008, 2.7630683521479025, 0.025, 123456.789};
const Values kFarFromOne{1e-300, 1e200, 123456.789e50, 2.5e-7};
const Values kSubnormal{5e-324, 2.2250738585072009e-308, 1.5e-310, 3.3e-320};
const Values kHuge{1e300, -1.7976931348623157e308, 2.5e20, 1e22};  // fixed: hundreds of digits

template <typename F>
void each(benchmark::State& state, const Values& values, F write) {
  std::array<char, nm::kMaxFixedLength> out{};
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(write(values[k++ & 3], out.data(), out.data() + out.size()));
    benchmark::ClobberMemory();
  }
}

void formatDouble(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char*) { return nm::formatDouble(x, out); });
}
void toCharsShortest(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char* end) { return std::to_chars(out, end, x).ptr; });
}
void formatSignificant17(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char*) { return nm::formatSignificant(x, 17, out); });
}
void formatSignificant4(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char*) { return nm::formatSignificant(x, 4, out); });
}
void formatFixed3(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char*) { return nm::formatFixed(x, 3, out); });
}
void formatFixed15(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char*) { return nm::formatFixed(x, 15, out); });
}
void toCharsFixed3(benchmark::State& s, const Values& v) {
  each(s, v, [](double x, char* out, char* end) { return std::to_chars(out, end, x, std::chars_format::fixed, 3).ptr; });
}

BENCHMARK_CAPTURE(formatDouble, nearOne, kNearOne);
BENCHMARK_CAPTURE(toCharsShortest, nearOne, kNearOne);
BENCHMARK_CAPTURE(formatDouble, farFromOne, kFarFromOne);
BENCHMARK_CAPTURE(toCharsShortest, farFromOne, kFarFromOne);
BENCHMARK_CAPTURE(formatDouble, subnormal, kSubnormal);
BENCHMARK_CAPTURE(toCharsShortest, subnormal, kSubnormal);
BENCHMARK_CAPTURE(formatSignificant17, nearOne, kNearOne);
BENCHMARK_CAPTURE(formatSignificant17, farFromOne, kFarFromOne);
BENCHMARK_CAPTURE(formatSignificant4, farFromOne, kFarFromOne);
BENCHMARK_CAPTURE(formatFixed3, nearOne, kNearOne);
BENCHMARK_CAPTURE(formatFixed15, nearOne, kNearOne);
BENCHMARK_CAPTURE(formatFixed3, farFromOne, kFarFromOne);
BENCHMARK_CAPTURE(toCharsFixed3, nearOne, kNearOne);
BENCHMARK_CAPTURE(formatFixed3, huge, kHuge);
BENCHMARK_CAPTURE(toCharsShortest, huge, kHuge);
BENCHMARK_CAPTURE(toCharsFixed3, huge, kHuge);

}  // namespace
