#include "calc/structures/flows.h"

#include "calc/toolkit/problem.h"

namespace channelflow::calc::structures {

const char* flowCaseKey(FlowCase which) {
  switch (which) {
    case FlowCase::Design: return "design";
    case FlowCase::Enlarged: return "enlarged";
    case FlowCase::Minimum: return "minimum";
  }
  return "";
}

std::vector<StructureFlow> threeFlows(const FlowsInput& f) {
  require(f.Q > 0, MessageId::NotPositive, "Q");
  if (f.Qj > 0 && f.enlarge > 0)
    fail(MessageId::EitherInput, "enlarge", {MessageArg::field("Qj"), MessageArg::field("enlarge")});
  require(f.Qj >= 0, MessageId::Negative, "Qj");
  require(f.enlarge >= 0, MessageId::Negative, "enlarge");
  require(f.Qmin >= 0, MessageId::Negative, "Qmin");
  std::vector<StructureFlow> flows{{FlowCase::Design, Real(f.Q)}};
  if (f.Qj > 0) {
    require(f.Qj >= f.Q, MessageId::EnlargedBelowDesign, "Qj");
    flows.push_back({FlowCase::Enlarged, Real(f.Qj)});
  } else if (f.enlarge > 0) {
    flows.push_back({FlowCase::Enlarged, Real(f.Q) * (Real(1) + Real(f.enlarge) / 100)});
  }
  if (f.Qmin > 0) {
    require(f.Qmin <= f.Q, MessageId::MinimumAboveDesign, "Qmin");
    flows.push_back({FlowCase::Minimum, Real(f.Qmin)});
  }
  return flows;
}

double gravityOf(double g) {
  require(g >= 0, MessageId::NotPositive, "g");
  return g > 0 ? g : kStandardGravity;
}

}  // namespace channelflow::calc::structures
