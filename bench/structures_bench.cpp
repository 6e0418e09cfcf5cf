// The structures and the closed sections: a siphon of ten bends at its
// three flows (the science alone, and the whole question from texts),
// and an arch-roofed tunnel's and a horseshoe's report and normal depth.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "calc/flow/uniform_solvers.h"
#include "calc/structures/siphon.h"
#include "calc/toolkit/toolkit.h"

namespace {

using namespace channelflow::calc;
using namespace channelflow::calc::structures;

SiphonInput tenBends() {
  SiphonInput in;
  in.flows = {2.0, 2.4, 0, 0.9};
  in.g = 9.81;
  in.barrels = 2;
  in.D = 1.0;
  in.L = 420;
  in.n = 0.014;
  in.entrance = "not-rounded";
  in.gateSlots = 2;
  in.rack = Rack{2.42, 10, 100, 0, 0, 0, 75, 0};
  for (int k = 0; k < 10; ++k) in.bends.push_back({3.0 + 0.25 * k, 4.0 + 7.5 * k});
  in.outletRatio = 0.35;
  in.bypasses = 1;
  in.inletTransition.form = "reverse-warped";
  in.outletTransition.form = "reverse-warped";
  in.ends = {SiphonEnds{0.8, 1.0, 0.8, 1.5, 1.45}, SiphonEnds{0.85, 1.1, 0.85, 1.65, 1.6},
             SiphonEnds{0.6, 0.7, 0.6, 1.0, 0.95}};
  in.upstreamBed = 100;
  in.allowedHead = 1.2;
  in.inletCrown = 99.0;
  in.outletCrown = 98.0;
  in.vnp = 0.5;
  return in;
}

void siphonTenBends(benchmark::State& state) {
  const SiphonInput in = tenBends();
  for (auto _ : state) benchmark::DoNotOptimize(siphon(in));
}
BENCHMARK(siphonTenBends)->Unit(benchmark::kMicrosecond);

// The same siphon through the whole question: its inputs as texts read and
// checked, the science, and the answer document with its report and drawing;
// the canals' velocities typed at the design flow, or every flow's from the
// canals' normal depths.
Inputs tenBendTexts(bool canals) {
  Inputs in;
  const std::pair<const char*, const char*> texts[] = {
      {"Q", "2.0"},         {"Qj", "2.4"},        {"Qmin", "0.9"},         {"g", "9.81"},        {"barrels", "2"},
      {"D", "1.0"},         {"L", "420"},         {"n", "0.014"},          {"entrance", "not-rounded"},
      {"gate-slots", "2"},  {"rack", "2.42:10:100:75"},                     {"outlet-ratio", "0.35"},
      {"bypass", "1"},      {"inlet-form", "reverse-warped"},               {"outlet-form", "reverse-warped"},
      {"bed-up", "100"},    {"allowed-head", "1.2"}, {"inlet-crown", "99"}, {"outlet-crown", "98"}, {"v-np", "0.5"},
  };
  for (const auto& [key, text] : texts) in.set(key, text);
  if (canals) {
    in.set("upstream-canal", "2:1.5:0.025:0.0004").set("downstream-canal", "2:1.5:0.025:0.0004");
  } else {
    in.set("v1", "0.8").set("v2", "1.0").set("v3", "0.8").set("hu", "1.5").set("hd", "1.45");
  }
  std::string bends;
  for (int k = 0; k < 10; ++k) {
    char item[32];
    std::snprintf(item, sizeof item, "%s%g:%g", k ? ";" : "", 3.0 + 0.25 * k, 4.0 + 7.5 * k);
    bends += item;
  }
  in.set("bend", bends);
  return in;
}

void siphonQuestionTenBends(benchmark::State& state, bool canals) {
  const Inputs in = tenBendTexts(canals);
  for (auto _ : state) benchmark::DoNotOptimize(answerSiphon(in));
}
BENCHMARK_CAPTURE(siphonQuestionTenBends, typed, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(siphonQuestionTenBends, canals, true)->Unit(benchmark::kMicrosecond);

Channel closed(Shape shape, double size) {
  Channel c;
  c.shape = shape;
  c.size = Real(size);
  c.roughness.n = Real(0.014);
  c.i = Real(0.0005);
  return c;
}

const Channel kArch = closed(Arch::withWidth(2.6, 0, 2.2), 2.2);
const Channel kHorseshoe = closed(Horseshoe{1}, 1.2);

void report(benchmark::State& state, const Channel& c, double h) {
  for (auto _ : state) benchmark::DoNotOptimize(reportOf(c, Real(h)));
}
BENCHMARK_CAPTURE(report, arch, kArch, 1.7)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(report, horseshoe, kHorseshoe, 1.7)->Unit(benchmark::kMicrosecond);

void normalDepth(benchmark::State& state, const Channel& c, double Q) {
  for (auto _ : state) benchmark::DoNotOptimize(normalDepths(c, Real(Q)));
}
BENCHMARK_CAPTURE(normalDepth, arch, kArch, 4.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(normalDepth, horseshoe, kHorseshoe, 3.0)->Unit(benchmark::kMicrosecond);

}  // namespace
