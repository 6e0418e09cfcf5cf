// The core beneath the toolkit's API: one solve of each kind, critical flow,
// a jump, profiles of 10 000 steps by both methods, and a surveyed river
// section of 200 points.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calc/flow/critical.h"
#include "calc/flow/jump.h"
#include "calc/flow/profile.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/toolkit.h"

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

// A river of 200 surveyed points: floodplains of n 0.06 a kilometre wide
// between them, a main channel of n 0.035 two hundred metres wide and six
// deep, each point's elevation a little off the smooth line.
Channel river() {
  std::vector<SurveyPoint> points;
  std::vector<double> n;
  std::uint32_t state = 12345;
  for (int k = 0; k < 200; ++k) {
    state = state * 1664525u + 1013904223u;
    const double noise = static_cast<double>(state >> 8) / 16777216.0 * 0.2 - 0.1;
    const double x = 5.0 * k;
    const double offMain = x < 400 ? (400 - x) / 400 : x > 600 ? (x - 600) / 400 : 0;
    const double z = offMain > 0 ? 102.5 + 2 * offMain + noise : 96.5 + 6 * ((x - 500) / 100) * ((x - 500) / 100) + noise;
    points.push_back({x, z});
    if (k < 199) n.push_back(offMain > 0 ? 0.06 : 0.035);
  }
  auto survey = std::make_shared<const Survey>(points, n);
  return channel(Points{survey}, 0, 0.0003, {false, Real(0), 0, 0});
}

const Channel kRiver = river();

// Every quantity of a report: the flow at a depth and its every critical depth.
void riverReport(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(reportOf(kRiver, Real(6.8)));
}
BENCHMARK(riverReport)->Unit(benchmark::kMicrosecond);

void riverDepth(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(solveUniformFlow(kRiver, Unknown::Depth, Real(1500), Real(0)));
}
BENCHMARK(riverDepth)->Unit(benchmark::kMicrosecond);

// The same report from its text, as a front end asks: the 200 points read, checked and surveyed first.
void riverReportFromText(benchmark::State& state) {
  const Survey& survey = *std::get<Points>(kRiver.shape).survey;
  std::string text;
  for (std::size_t k = 0; k < survey.points().size(); ++k) {
    const SurveyPoint& p = survey.points()[k];
    text += std::to_string(p.x.toDouble()) + "," + std::to_string(p.z.toDouble());
    text += k < survey.segmentN().size() ? "," + std::to_string(survey.segmentN()[k]) + " " : "";
  }
  Inputs inputs;
  inputs.set("section", "points").set("points", text).set("i", "0.0003").set("h", "6.8");
  for (auto _ : state) benchmark::DoNotOptimize(report(inputs));
}
BENCHMARK(riverReportFromText)->Unit(benchmark::kMicrosecond);

// What reading the section costs once: its tables of sums and its samples of dE/dh.
void riverSurvey(benchmark::State& state) {
  const Survey& survey = *std::get<Points>(kRiver.shape).survey;
  const std::vector<SurveyPoint> points(survey.points().begin(), survey.points().end());
  const std::vector<double> n(survey.segmentN().begin(), survey.segmentN().end());
  for (auto _ : state) benchmark::DoNotOptimize(Survey(points, n));
}
BENCHMARK(riverSurvey)->Unit(benchmark::kMicrosecond);

}  // namespace
