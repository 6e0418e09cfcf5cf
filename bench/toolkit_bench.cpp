// The toolkit as front ends call it, inputs as texts in and answers out: a
// report, each kind of solve, a canal design, and the batch's throughput to
// a file.
#include "calc/services/batch.h"
#include "calc/toolkit/toolkit.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using channelflow::calc::Inputs;

Inputs trapezoid() {
  Inputs inputs;
  inputs.set("B", "6.1").set("m", "1.5").set("i", "0.0008").set("n", "0.013");
  return inputs;
}

void BM_Report(benchmark::State& state) {
  Inputs inputs = trapezoid();
  inputs.set("h", "3.2864");
  for (auto _ : state) benchmark::DoNotOptimize(channelflow::calc::report(inputs));
}
BENCHMARK(BM_Report);

void solve(benchmark::State& state, Inputs inputs) {
  for (auto _ : state) benchmark::DoNotOptimize(channelflow::calc::solve(inputs));
}
BENCHMARK_CAPTURE(solve, trapezoid_depth, Inputs(trapezoid()).set("Q", "126"));
BENCHMARK_CAPTURE(solve, circle_two_depths,
                  Inputs().set("section", "circle").set("D", "1.5").set("i", "0.002").set("n", "0.013").set("Q", "3.3"));
BENCHMARK_CAPTURE(solve, u_composite_depth,
                  Inputs().set("section", "u").set("r", "0.6").set("m", "0.2").set("i", "0.001").set("n-bed", "0.014")
                      .set("n-wall", "0.022").set("Q", "0.8"));

// A whole canal design: Appendix E's five schemes and a sixth beyond the
// table, the normal depths of the design, enlarged and minimum flows, the
// bank, the Appendix C limit, every check and the report's steps.
void BM_Design(benchmark::State& state) {
  Inputs inputs;
  inputs.set("Q", "10").set("i", "0.0002").set("lining", "earth-medium-average").set("soil", "medium-loam");
  inputs.set("m", "1.5").set("alpha", "1.05").set("v-min", "0.3").set("v-max", "0.9").set("bend-radius", "60");
  for (auto _ : state) benchmark::DoNotOptimize(channelflow::calc::designCanal(inputs));
}
BENCHMARK(BM_Design);

// Whole batch runs over rows held in memory, written to a file.
void BM_Batch(benchmark::State& state) {
  std::string rows = "B,h,m,i,n\n";
  const auto count = static_cast<std::size_t>(state.range(0));
  for (std::size_t k = 0; k < count; ++k) {
    rows += std::to_string(1 + k % 7) + "," + std::to_string(0.1 + static_cast<double>(k % 50) / 10) + ",1.5,0.0008,0.013\n";
  }
  std::FILE* sink = std::tmpfile();
  for (auto _ : state) {
    std::rewind(sink);
    channelflow::calc::TextSource in(rows);
    channelflow::calc::TextSink out(sink);
    channelflow::calc::runBatch(in, out, {});
    out.finish();
  }
  std::fclose(sink);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Batch)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
