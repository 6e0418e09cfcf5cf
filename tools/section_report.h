// The printed form of the second-edition sub-commands: a list of labelled
// quantities, each with its unit in the channel's system, written as one
// line each (text), a header and a row (CSV) or one object (JSON).
#pragma once

#include "calc/flow.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

#include <string>
#include <string_view>
#include <vector>

namespace channelflow::tools {

struct ReportItem {
  std::string key;    // JSON key and CSV column
  std::string label;  // "流速 v"
  std::string unit;   // "m/s"; empty for a pure number
  double number = 0;
  std::string text;   // the value when it is words, not a number
  std::string shown;  // the words text output shows instead, if any ("圆形" for "circle")
  bool isText = false;
  bool isNull = false;  // no value: the text says why, JSON has null and CSV an empty cell
};

class Report {
 public:
  void add(std::string_view key, std::string_view label, std::string_view unit, double value);
  void addText(std::string_view key, std::string_view label, std::string_view text, std::string_view shown = {});
  void addNone(std::string_view key, std::string_view label, std::string_view why);
  // The channel's inputs: section, units, its size, i and the roughness (each unless left out).
  void addChannel(const sections::Channel& channel, bool withSlope = true, bool withRoughness = true);
  // Every quantity of the flow, and the critical flow of its discharge.
  void addFlow(const sections::Channel& channel, const sections::FlowState& flow);
  const std::vector<ReportItem>& items() const { return items_; }

 private:
  std::vector<ReportItem> items_;
};

void printReport(const Report& report, OutputFormat format, OutputSink& out);
// The CSV row of a report without its header, for a second row under the first's.
void printCsvRow(const Report& report, OutputSink& out);

// The report's members as JSON, `"key": value, ...`, without the braces.
void putJsonMembers(const Report& report, OutputSink& out);

// Text lines of a report (text format only), e.g. a heading before it.
void printTextLine(OutputSink& out, std::string_view text);

}  // namespace channelflow::tools
