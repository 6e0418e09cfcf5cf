// The quantities of one flow in their order, with their Chinese names and
// units, and the report that report, solve-depth and solve-width print.
#pragma once

#include "calc/hydraulics.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

#include <array>
#include <string_view>

namespace channelflow::tools {

struct FlowField {
  std::string_view key;     // the CSV column and JSON key
  std::string_view name;    // 流速
  std::string_view symbol;  // v
  std::string_view unit;    // m/s
};

// clang-format off
inline constexpr std::array<FlowField, 18> kFlowFields{{
  {"B",      "下底宽",       "B",  "m"},
  {"h",      "水深",         "h",  "m"},
  {"m",      "边坡系数",     "m",  ""},
  {"i",      "渠底坡度",     "i",  ""},
  {"n",      "粗糙系数",     "n",  ""},
  {"A",      "过水断面面积", "A",  "m²"},
  {"P",      "湿周",         "P",  "m"},
  {"R",      "水力半径",     "R",  "m"},
  {"T",      "水面宽度",     "T",  "m"},
  {"D",      "水力深度",     "D",  "m"},
  {"C",      "谢才系数",     "C",  "m^0.5/s"},
  {"v",      "流速",         "v",  "m/s"},
  {"Q",      "流量",         "Q",  "m³/s"},
  {"Fr",     "弗劳德数",     "Fr", ""},
  {"regime", "流态",         "",   ""},
  {"hc",     "临界水深",     "hc", "m"},
  {"E",      "断面比能",     "E",  "m"},
  {"tau0",   "床面切应力",   "τ0", "Pa"},
}};
// clang-format on
inline constexpr std::size_t kRegimeField = 14;
inline constexpr std::size_t kFirstResultField = 5;

// The numbers of a flow in the order of kFlowFields (the regime's place holds 0).
std::array<double, kFlowFields.size()> flowNumbers(const calc::FlowState& flow);

// Writes every quantity of the flow: one line each as text, a header and a
// row as CSV, one object as JSON.
void printFlow(const calc::FlowState& flow, OutputFormat format, OutputSink& out);

}  // namespace channelflow::tools
