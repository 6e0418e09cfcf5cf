// The second-edition core: one solve of each kind, a jump, and profiles of
// 10 000 steps by both methods.
#include <benchmark/benchmark.h>

#include "calc/jump.h"
#include "calc/profile.h"
#include "calc/solve.h"

namespace {

using namespace channelflow::sections;

const Channel kTrapezoid{Trapezoid{6.1, 1.5, 1.5}, 0.0008, Roughness::uniform(0.013), kSiUnits};
const Channel kCircle{Circle{1.5}, 0.002, Roughness::uniform(0.013), kSiUnits};
const Channel kComposite{UShape{0.6, 0.2}, 0.001, Roughness::bedAndWalls(0.014, 0.022), kSiUnits};

void solve(benchmark::State& state, const Channel& c, double h, double Q, Unknown unknown) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Q);
    benchmark::DoNotOptimize(solveUniformFlow({c, h, Q}, unknown));
  }
}
BENCHMARK_CAPTURE(solve, trapezoid_depth, kTrapezoid, 0, 126, Unknown::Depth);
BENCHMARK_CAPTURE(solve, trapezoid_width, kTrapezoid, 3.2864, 126, Unknown::Width);
BENCHMARK_CAPTURE(solve, trapezoid_slope, kTrapezoid, 3.2864, 126, Unknown::Slope);
BENCHMARK_CAPTURE(solve, circle_depth, kCircle, 0, 2, Unknown::Depth);
BENCHMARK_CAPTURE(solve, circle_two_depths, kCircle, 0, 3.3, Unknown::Depth);
BENCHMARK_CAPTURE(solve, circle_diameter, kCircle, 0.9, 2, Unknown::Width);
BENCHMARK_CAPTURE(solve, u_composite_depth, kComposite, 0, 0.8, Unknown::Depth);

void criticalFlowOf(benchmark::State& state) {
  double Q = 126;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Q);
    benchmark::DoNotOptimize(criticalFlow(kTrapezoid, Q));
  }
}
BENCHMARK(criticalFlowOf);

void jump(benchmark::State& state) {
  double h1 = 0.4;
  for (auto _ : state) {
    benchmark::DoNotOptimize(h1);
    benchmark::DoNotOptimize(hydraulicJump(kTrapezoid.section, 126, h1, kSiUnits));
  }
}
BENCHMARK(jump);

// An M1 backwater curve of 10 000 steps.
void directStep(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(directStepProfile(kTrapezoid, 126, 5, 3.3, 10000));
}
BENCHMARK(directStep)->Unit(benchmark::kMillisecond);

void standardStep(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(standardStepProfile(kTrapezoid, 126, 5, 20000, 10000));
}
BENCHMARK(standardStep)->Unit(benchmark::kMillisecond);

}  // namespace
