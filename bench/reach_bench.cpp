// River reaches: a 1,000-section reach of 100-point surveys, one flow, mixed
// regime (a steep kilometre whose top passes through critical depth and
// whose foot jumps back), from its file's text and once read; and
// MacDonald's benchmarks, their worst depth error as counters.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "calc/reach/reach.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/toolkit.h"
#include "tests/support/macdonald_reach.h"

namespace {

using namespace channelflow::calc;

std::string number(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", x);
  return text;
}

// Sections 20 m apart falling 1 in 2000, but 3 in 100 from 8 km to 9 km;
// each 100 points 3 m apart: floodplains of n 0.06 and 0.07 beside a
// channel of n 0.035 102 m wide and 4 m deep, every elevation a few
// centimetres off the smooth line.
std::string riverReach() {
  std::string csv = "station,points,left_bank,right_bank,Q,upstream,downstream\n";
  std::uint32_t state = 12345;
  for (int k = 0; k < 1000; ++k) {
    const double station = 20.0 * k;
    const double bed = 130 - 0.0005 * station - (station > 8000 ? 0.0295 * (std::fmin(station, 9000) - 8000) : 0);
    std::string points;
    for (int p = 0; p < 100; ++p) {
      state = state * 1664525u + 1013904223u;
      const double noise = static_cast<double>(state >> 8) / 16777216.0 * 0.1 - 0.05;
      const double x = 3.0 * p;
      const double across = (x - 150) / 51;
      const double z = x < 99 ? bed + 4.5 + (99 - x) * 0.02 : x > 201 ? bed + 4.6 + (x - 201) * 0.02 : bed + 4 * across * across;
      points += (p ? " " : "") + number(x) + "," + number(p == 0 || p == 99 ? z + 3 : z + noise);
      if (p == 0) points += ",0.06";
      if (p == 33) points += ",0.035";
      if (p == 67) points += ",0.07";
    }
    csv += number(station) + ",\"" + points + "\",99,201";
    csv += k == 0 ? ",300,critical," : k == 999 ? ",,,normal=0.0005" : ",,,";
    csv += "\n";
  }
  return csv;
}

const std::string kRiver = riverReach();

void reachFromText(benchmark::State& state) {
  Inputs inputs;
  inputs.set("file", kRiver);
  for (auto _ : state) benchmark::DoNotOptimize(reach(inputs));
}
BENCHMARK(reachFromText)->Unit(benchmark::kMillisecond);

void reachRead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readReach(kRiver, {}));
}
BENCHMARK(reachRead)->Unit(benchmark::kMillisecond);

// What reading costs in surveying alone: each section's tables of sums and
// its samples of dE/dh (calc/survey/survey.h), as a single section's question pays too.
void reachSurveys(benchmark::State& state) {
  const Reach river = readReach(kRiver, {});
  for (auto _ : state) {
    for (const Node& node : river.chain.nodes) {
      const Survey& survey = *std::get<Points>(node.channel.shape).survey;
      const std::vector<SurveyPoint> points(survey.points().begin(), survey.points().end());
      const std::vector<double> n(survey.segmentN().begin(), survey.segmentN().end());
      benchmark::DoNotOptimize(Survey(points, n, {33, 67}));
    }
  }
}
BENCHMARK(reachSurveys)->Unit(benchmark::kMillisecond);

void reachSurface(benchmark::State& state) {
  const Reach river = readReach(kRiver, {});
  std::size_t jumps = 0;
  for (auto _ : state) {
    const FlowSurface surface = computeFlow(river, river.flows.front());
    jumps = surface.surface.jumps.size();
    benchmark::DoNotOptimize(surface);
  }
  state.counters["jumps"] = static_cast<double>(jumps);
}
BENCHMARK(reachSurface)->Unit(benchmark::kMillisecond);

void macDonald(benchmark::State& state) {
  const channelflow::testing::MacDonaldCase& c = channelflow::testing::kMacDonaldCases[state.range(0)];
  const channelflow::testing::MacDonaldReach file = channelflow::testing::macDonaldReach(c, 201);
  const Reach reach = readReach(file.csv, {});
  double worst = 0;
  for (auto _ : state) {
    const FlowSurface surface = computeFlow(reach, reach.flows.front());
    worst = 0;
    for (std::size_t k = 0; k < file.x.size(); ++k) {
      if (std::fabs(file.x[k] - c.jump) <= 5) continue;
      worst = std::fmax(worst, std::fabs(surface.surface.nodes[k].h.toDouble() - c.depth(file.x[k])));
    }
  }
  state.SetLabel(c.name);
  state.counters["worst_mm"] = worst * 1000;
}
BENCHMARK(macDonald)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
