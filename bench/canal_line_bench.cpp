// Canal lines: a 500-node line 50 km long, zigzagging through an IP every
// kilometre, with 20 structures (16 siphons, aqueducts, tunnels and culverts,
// 4 check gates holding the minimum flow's level) and two offtakes, its three
// flows: the whole question from the file's text, the levels alone once the
// file is read, and the answer written as JSON.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "calc/canal/canal_line.h"
#include "calc/toolkit/toolkit.h"

namespace {

using namespace channelflow::calc;

std::string fixed(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", x);
  return text;
}

std::string canalLine500() {
  std::string csv =
      "name,kind,x,y,Rc,B,m,n,i,Q,D,L,inlet-zeta,outlet-zeta,trough,barrel,section,H,loss,hold\n"
      "head,start,0,0,,3,1.5,0.017,1/4000,12,,,,,,,,,,\n";
  double x = 0, y = 0, heading = 0;
  for (int leg = 0; leg < 50; ++leg) {
    heading += leg % 2 == 0 ? 0.35 : -0.35;  // about 20° each way
    const double dx = std::cos(heading), dy = std::sin(heading);
    for (int s = 1; s <= 9; ++s) {
      const std::string at = fixed(x + 100 * s * dx) + "," + fixed(y + 100 * s * dy);
      const std::string name = "N" + std::to_string(leg) + "-" + std::to_string(s);
      const bool inlet = leg % 3 == 1 && leg < 48 && s == 3, outlet = leg % 3 == 1 && leg < 48 && s == 4;
      const bool gate = leg % 10 == 0 && leg > 0 && s == 5, offtake = (leg == 15 || leg == 35) && s == 7;
      if (inlet || outlet) {
        const int type = (leg / 3) % 4;
        static const char* const kInlets[] = {"siphon-in", "aqueduct-in", "tunnel-in", "culvert-in"};
        static const char* const kOutlets[] = {"siphon-out", "aqueduct-out", "tunnel-out", "culvert-out"};
        if (outlet) {
          csv += name + "," + kOutlets[type] + "," + at + ",,,,,,,,,,,,,,,,\n";
          continue;
        }
        static const char* const kParameters[] = {
            ",,,0.014,,,2.6,160,0.2,0.3,,,,,,",        // a siphon
            ",3.2,,0.014,1/1000,,,,,,rectangle,,,,,",  // an aqueduct
            ",3.4,,0.014,1/1500,,,,,,,,arch,3.6,,",    // a tunnel
            ",3.2,,0.014,1/1000,,,,,,,rectangle,,3,,", // a culvert
        };
        csv += name + "," + kInlets[type] + "," + at + "," + kParameters[type] + "\n";
        continue;
      }
      if (gate) {
        csv += name + ",gate," + at + ",,,,,,,,,,,,,,,0.05,design\n";
        continue;
      }
      csv += name + (offtake ? ",offtake," : ",node,") + at + ",,,,,,";
      csv += offtake ? (leg == 15 ? "9" : "6") : "";
      csv += ",,,,,,,,,,\n";
    }
    x += 1000 * dx;
    y += 1000 * dy;
    csv += "IP" + std::to_string(leg) + (leg == 49 ? ",node," : ",ip,") + fixed(x) + "," + fixed(y) +
           (leg == 49 ? "," : ",100") + ",,,,,,,,,,,,,,,\n";
  }
  return csv;
}

const std::string kLine = canalLine500();

Inputs lineInputs() {
  Inputs inputs;
  inputs.set("file", kLine);
  inputs.set("level", "1000");
  return inputs;
}

void lineFromText(benchmark::State& state) {
  const Inputs inputs = lineInputs();
  for (auto _ : state) {
    Answer answer = canalLine(inputs);
    benchmark::DoNotOptimize(answer);
  }
}
BENCHMARK(lineFromText)->Unit(benchmark::kMillisecond);

void lineLevelsOnceRead(benchmark::State& state) {
  LineSettings settings;
  settings.headLevel = channelflow::numeric::Decimal(1000.0);
  CanalLine line = readCanalLine(kLine, settings);
  state.counters["nodes"] = static_cast<double>(line.rows.size());
  state.counters["structures"] = static_cast<double>(line.structures.size());
  for (auto _ : state) {
    LineResult result = computeLine(line);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(lineLevelsOnceRead)->Unit(benchmark::kMillisecond);

void lineWrittenAsJson(benchmark::State& state) {
  const Answer answer = canalLine(lineInputs());
  WriteOptions options;
  for (auto _ : state) {
    TextSink out;
    writeJson(answer, out, options);
    benchmark::DoNotOptimize(out.text());
  }
}
BENCHMARK(lineWrittenAsJson)->Unit(benchmark::kMillisecond);

}  // namespace
