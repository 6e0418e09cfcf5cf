// The toolkit's solvers and the batch command's throughput.
#include "calc/hydraulics.h"
#include "tools/commands.h"
#include "tools/output_sink.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using channelflow::calc::Channel;

void BM_NormalDepth(benchmark::State& state) {
  const Channel channel{6.1, 1.5, 0.0008, 0.013};
  double Q = 126;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Q);
    benchmark::DoNotOptimize(channelflow::calc::normalDepth(channel, Q));
  }
}
BENCHMARK(BM_NormalDepth);

void BM_DescribeFlow(benchmark::State& state) {
  const Channel channel{2, 1, 0.001, 0.025};
  double h = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(h);
    benchmark::DoNotOptimize(channelflow::calc::describeFlow(channel, h));
  }
}
BENCHMARK(BM_DescribeFlow);

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
    std::FILE* in = fmemopen(rows.data(), rows.size(), "r");
    channelflow::tools::OutputSink out(sink);
    channelflow::tools::runBatch(channelflow::tools::OutputFormat::Csv, in, out, stderr);
    out.finish();
    std::fclose(in);
  }
  std::fclose(sink);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Batch)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
