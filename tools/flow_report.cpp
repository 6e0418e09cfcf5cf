#include "tools/flow_report.h"

#include "calc/flow.h"
#include "calc/flow_error.h"
#include "tools/csv.h"

#include <string>
#include <vector>

namespace channelflow::tools {

std::array<double, kFlowFields.size()> flowNumbers(const calc::FlowState& f) {
  return {f.channel.B, f.h, f.channel.m, f.channel.i, f.channel.n, f.A,  f.P, f.R,  f.T,
          f.D,         f.C, f.v,         f.Q,         f.Fr,        0,    f.hc, f.E, f.tau0};
}

namespace {

// One printed quantity: a number, or a text such as the regime.
struct Item {
  FlowField field;
  double number = 0;
  std::string_view text;
  bool isText = false;
};

// The quantities in their printed order: the first edition's, with the
// critical velocity and slope of the same trapezoid after hc. Where the
// critical flow has no answer a double can hold, the reason stands there.
std::vector<Item> itemsOf(const calc::FlowState& flow, std::string& reason) {
  const auto numbers = flowNumbers(flow);
  std::vector<Item> items;
  items.reserve(kFlowFields.size() + 2);
  for (std::size_t k = 0; k < kFlowFields.size(); ++k) {
    if (k == kRegimeField) {
      items.push_back({kFlowFields[k], 0, calc::regimeName(flow.regime), true});
    } else {
      items.push_back({kFlowFields[k], numbers[k], {}, false});
    }
    if (kFlowFields[k].key != "hc") continue;
    sections::Channel channel;
    channel.section = sections::Trapezoid{flow.channel.B, flow.channel.m, flow.channel.m};
    channel.i = flow.channel.i;
    channel.roughness = sections::Roughness::uniform(flow.channel.n);
    try {
      const sections::CriticalFlow critical = sections::criticalFlow(channel, flow.Q);
      items.push_back({{"vc", "临界流速", "vc", "m/s"}, critical.vc, {}, false});
      items.push_back({{"ic", "临界坡度", "ic", ""}, critical.ic, {}, false});
    } catch (const sections::FlowError& error) {
      reason = error.what();
      items.push_back({{"critical", "临界流", "", ""}, 0, reason, true});
    }
  }
  return items;
}

}  // namespace

void printFlow(const calc::FlowState& flow, OutputFormat format, OutputSink& out) {
  std::string reason;
  const std::vector<Item> items = itemsOf(flow, reason);
  switch (format) {
    case OutputFormat::Text:
      for (const Item& item : items) {
        const FlowField& f = item.field;
        out.put(f.name);
        if (!f.symbol.empty()) {
          out.put(' ');
          out.put(f.symbol);
        }
        out.put(" = ");
        item.isText ? out.put(item.text) : out.number(item.number);
        if (!f.unit.empty()) {
          out.put(' ');
          out.put(f.unit);
        }
        out.endLine();
      }
      break;
    case OutputFormat::Csv:
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (k) out.put(',');
        out.put(items[k].field.key);
      }
      out.endLine();
      for (std::size_t k = 0; k < items.size(); ++k) {
        if (k) out.put(',');
        items[k].isText ? putCsvField(out, items[k].text) : out.number(items[k].number);
      }
      out.endLine();
      break;
    case OutputFormat::Json:
      out.put('{');
      for (std::size_t k = 0; k < items.size(); ++k) {
        out.put(k ? ", \"" : "\"");
        out.put(items[k].field.key);
        out.put("\": ");
        items[k].isText ? out.jsonString(items[k].text) : out.number(items[k].number);
      }
      out.put('}');
      out.endLine();
      break;
  }
}

}  // namespace channelflow::tools
