#include "tools/flow_report.h"

#include "tools/csv.h"

namespace channelflow::tools {

std::array<double, kFlowFields.size()> flowNumbers(const calc::FlowState& f) {
  return {f.channel.B, f.h, f.channel.m, f.channel.i, f.channel.n, f.A,  f.P, f.R,  f.T,
          f.D,         f.C, f.v,         f.Q,         f.Fr,        0,    f.hc, f.E, f.tau0};
}

void printFlow(const calc::FlowState& flow, OutputFormat format, OutputSink& out) {
  const auto numbers = flowNumbers(flow);
  const std::string_view regime = calc::regimeName(flow.regime);
  switch (format) {
    case OutputFormat::Text:
      for (std::size_t k = 0; k < kFlowFields.size(); ++k) {
        const FlowField& f = kFlowFields[k];
        out.put(f.name);
        if (!f.symbol.empty()) {
          out.put(' ');
          out.put(f.symbol);
        }
        out.put(" = ");
        k == kRegimeField ? out.put(regime) : out.number(numbers[k]);
        if (!f.unit.empty()) {
          out.put(' ');
          out.put(f.unit);
        }
        out.endLine();
      }
      break;
    case OutputFormat::Csv:
      for (std::size_t k = 0; k < kFlowFields.size(); ++k) {
        if (k) out.put(',');
        out.put(kFlowFields[k].key);
      }
      out.endLine();
      for (std::size_t k = 0; k < kFlowFields.size(); ++k) {
        if (k) out.put(',');
        k == kRegimeField ? putCsvField(out, regime) : out.number(numbers[k]);
      }
      out.endLine();
      break;
    case OutputFormat::Json:
      out.put('{');
      for (std::size_t k = 0; k < kFlowFields.size(); ++k) {
        out.put(k ? ", \"" : "\"");
        out.put(kFlowFields[k].key);
        out.put("\": ");
        k == kRegimeField ? out.jsonString(regime) : out.number(numbers[k]);
      }
      out.put('}');
      out.endLine();
      break;
  }
}

}  // namespace channelflow::tools
