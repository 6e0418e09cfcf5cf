// The core beneath the toolkit's API: one solve of each kind, critical flow,
// a jump, and profiles of 10 000 steps by both methods.
#include <benchmark/benchmark.h>

#include "calc/critical.h"
#include "calc/jump.h"
#include "calc/profile.h"
#include "calc/solve.h"

namespace {

using namespace channelflow::calc;

Channel channel(Shape shape, double size, double i, Roughness roughness) {
  return Channel{shape, Real(size), Real(i), roughness, UnitSystem::SI};
}

const Channel kTrapezoid = channel(Trapezoid::withSlopes(1.5, 1.5), 6.1, 0.0008, {false, Real(0.013), 0, 0});
const Channel kCircle = channel(Circle{}, 1.5, 0.002, {false, Real(0.013), 0, 0});
const Channel kComposite = channel(UShape::withSlope(0.2), 0.6, 0.001, {true, Real(0), 0.014, 0.022});

void solve(benchmark::State& state, const Channel& c, double h, double Q, Unknown unknown) {
  for (auto _ : state) benchmark::DoNotOptimize(solveUniformFlow(c, unknown, Real(Q), Real(h)));
}
BENCHMARK_CAPTURE(solve, trapezoid_depth, kTrapezoid, 0, 126, Unknown::Depth);
BENCHMARK_CAPTURE(solve, trapezoid_width, kTrapezoid, 3.2864, 126, Unknown::Size);
BENCHMARK_CAPTURE(solve, trapezoid_slope, kTrapezoid, 3.2864, 126, Unknown::Slope);
BENCHMARK_CAPTURE(solve, circle_depth, kCircle, 0, 2, Unknown::Depth);
BENCHMARK_CAPTURE(solve, circle_two_depths, kCircle, 0, 3.3, Unknown::Depth);
BENCHMARK_CAPTURE(solve, circle_diameter, kCircle, 0.9, 2, Unknown::Size);
BENCHMARK_CAPTURE(solve, u_composite_depth, kComposite, 0, 0.8, Unknown::Depth);

void criticalFlowOf(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(criticalFlow(kTrapezoid, Real(126)));
}
BENCHMARK(criticalFlowOf);

void jump(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(hydraulicJump(kTrapezoid, Real(126), Real(0.4)));
}
BENCHMARK(jump);

// An M1 backwater curve of 10 000 steps.
void directStep(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(directStepProfile(kTrapezoid, Real(126), 5, 3.3, 10000));
}
BENCHMARK(directStep)->Unit(benchmark::kMillisecond);

void standardStep(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(standardStepProfile(kTrapezoid, Real(126), 5, 20000, 10000));
}
BENCHMARK(standardStep)->Unit(benchmark::kMillisecond);

}  // namespace
