// toolkit_timing [ROUNDS]: nanoseconds per report, per solve and per canal
// design through the toolkit's API, a 10 000-step profile, one 15-digit
// text, and rows a second of a batch written to a file, as plain
// timings that any build can run: natively, and as WebAssembly under node,
// where Google Benchmark does not build. bench/node/compare.sh sets the two
// side by side.
#include "calc/services/batch.h"
#include "calc/toolkit/toolkit.h"
#include "numeric/text/number_text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using channelflow::calc::Inputs;
using Clock = std::chrono::steady_clock;

// After a tenth as many rounds unmeasured, for caches and a JIT to settle.
template <typename F>
double nanosecondsEach(long rounds, F&& work) {
  double sink = 0;
  for (long k = 0; k < rounds / 10; ++k) sink += work(k);
  const auto start = Clock::now();
  for (long k = 0; k < rounds; ++k) sink += work(k);
  const auto elapsed = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  if (sink == 12345.678) std::puts("");  // keeps the work from being optimised away
  return elapsed / static_cast<double>(rounds);
}

}  // namespace

int main(int argc, char** argv) {
  const long rounds = argc > 1 ? std::atol(argv[1]) : 20000;
  Inputs report;
  report.set("B", "6.1").set("m", "1.5").set("i", "0.0008").set("n", "0.013").set("h", "3.2864");
  const Inputs solve = Inputs().set("B", "6.1").set("m", "1.5").set("i", "0.0008").set("n", "0.013").set("Q", "126");
  std::printf("report %.0f ns\n", nanosecondsEach(rounds, [&](long) { return channelflow::calc::report(report).record().items[8].cell.number; }));
  std::printf("solve %.0f ns\n",
              nanosecondsEach(rounds, [&](long) { return channelflow::calc::solve(solve).record().items[3].cell.number; }));
  Inputs design;
  design.set("Q", "10").set("i", "0.0002").set("lining", "earth-medium-average").set("soil", "medium-loam");
  design.set("m", "1.5").set("alpha", "1.05").set("v-min", "0.3").set("v-max", "0.9").set("bend-radius", "60");
  std::printf("design %.0f ns\n",
              nanosecondsEach(rounds / 4, [&](long) { return channelflow::calc::designCanal(design).record().items[20].cell.number; }));

  Inputs profile = Inputs(solve).set("h0", "5").set("length", "20000").set("steps", "10000");
  std::printf("profile of 10000 steps %.2f ms\n",
              nanosecondsEach(rounds / 2000 + 1, [&](long) { return static_cast<double>(channelflow::calc::profile(profile).record().tables[0].rowCount); }) * 1e-6);
  std::printf("15-digit text %.0f ns\n", nanosecondsEach(rounds * 10, [&](long k) {
                return static_cast<double>(channelflow::numeric::formatDouble(1.2345678901234567 + static_cast<double>(k)).size());
              }));

  std::string rows = "B,h,m,i,n\n";
  const long count = 5 * rounds;
  for (long k = 0; k < count; ++k) {
    rows += std::to_string(1 + k % 7) + "," + std::to_string(0.1 + static_cast<double>(k % 50) / 10) + ",1.5,0.0008,0.013\n";
  }
  std::FILE* in = std::tmpfile();
  std::fwrite(rows.data(), 1, rows.size(), in);
  std::FILE* out = std::tmpfile();
  const double each = nanosecondsEach(1, [&](long) {
    std::rewind(in);
    channelflow::calc::FileSource source(in);
    channelflow::calc::TextSink sink(out);
    channelflow::calc::runBatch(source, sink, {});
    sink.finish();
    return 0.0;
  });
  std::printf("batch %.0f rows/s\n", static_cast<double>(count) / (each * 1e-9));
  return 0;
}
