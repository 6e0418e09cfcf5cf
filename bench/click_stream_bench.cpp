// Throughput of channelflow-cli click: realistic lines through the whole
// stream (reading, splitting, the click, the text form, writing).
#include "tools/cli_click.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

namespace {

// A number in [low, high) with `decimals` decimals, as a user types it.
std::string decimalText(std::mt19937_64& random, double low, double high, int decimals) {
  std::uniform_real_distribution<double> value(low, high);
  std::array<char, 64> text{};
  const int length = std::snprintf(text.data(), text.size(), "%.*f", decimals, value(random));
  return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string realisticLines(std::size_t count) {
  std::mt19937_64 random(42);
  std::uniform_int_distribution<int> decimals(1, 8);
  std::string lines;
  for (std::size_t k = 0; k < count; ++k) {
    lines += decimalText(random, 0.1, 100, decimals(random)) + '\t';
    lines += decimalText(random, 0.01, 20, decimals(random)) + '\t';
    lines += decimalText(random, 0, 5, decimals(random)) + '\t';
    lines += decimalText(random, 0.000001, 0.01, 7) + '\t';
    lines += decimalText(random, 0.008, 0.1, decimals(random)) + '\n';
  }
  return lines;
}

void BM_ClickStream(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::string lines = realisticLines(count);
  std::FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : state) {
    std::FILE* in = fmemopen(lines.data(), lines.size(), "r");
    benchmark::DoNotOptimize(channelflow::tools::runClickStream(in, sink, stderr));
    std::fclose(in);
  }
  std::fclose(sink);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_ClickStream)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
