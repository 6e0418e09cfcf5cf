// What every structure's answer and calculation report share: the report's
// numbered headings and steps, the flows and g as the data state them, a
// transition's ξ with where it was read, and the checks as a table and as
// the report's verdict lines (each rule's words with its numbers).
#pragma once

#include <string_view>
#include <vector>

#include "calc/structures/check.h"
#include "calc/structures/conduit_flow.h"
#include "calc/structures/flows.h"
#include "calc/structures/transition.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc {

using numeric::Real;

inline MessageArg value(const Real& x) { return MessageArg::value(x.toDouble()); }
inline MessageArg value(double x) { return MessageArg::value(x); }

class ReportBuilder {
 public:
  ReportBuilder() { lines_.reserve(64); }
  void title(TextId id, std::vector<MessageArg> args = {}) { lines_.push_back({ReportLine::Kind::Plain, {id, std::move(args)}}); }
  void heading(TextId id, std::vector<MessageArg> args = {});
  void step(TextId id, std::vector<MessageArg> args = {}) { lines_.push_back({ReportLine::Kind::Step, {id, std::move(args)}}); }
  void note(TextId id, std::vector<MessageArg> args = {}) { lines_.push_back({ReportLine::Kind::Note, {id, std::move(args)}}); }
  // The design, enlarged and minimum flows as given, and g.
  void flows(const structures::FlowsInput& given, const std::vector<Real>& Q, double g);
  // A transition's ξ ("ξ1") at its end, from its form's table (read at an
  // angle) or as given by `field`.
  void transition(std::string_view symbol, structures::TransitionEnd end, const Real& xi,
                  const structures::TransitionChoice& choice, structures::TransitionFamily family, std::string_view field);
  // A heading per flow: "4 设计流量：Q = 2 m³/s".
  void flowHeading(structures::FlowCase which, const Real& Q);
  void checks(const std::vector<structures::Check>& checks);
  std::vector<ReportLine> take() { return std::move(lines_); }

 private:
  std::vector<ReportLine> lines_;
  int headings_ = 0;
};

// "checks": key (the rule), clause, verdict, the value checked, and what was compared.
Table checksTable(const std::vector<structures::Check>& checks);

// The record's sub-group of one flow, written in CSV as a row of the flows' table.
Group flowGroup(structures::FlowCase which);

// A tunnel's or culvert's flow: Q, its depth, area, velocity, the free area and
// height, what the barrel carries where it runs full, and its falls.
Group barrelFlowGroup(const structures::BarrelFlow& f);

}  // namespace channelflow::calc
