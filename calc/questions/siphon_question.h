// The siphon question's parts: what was asked, as the science takes it and
// as the report tells it, and the report (计算书) of its answer.
#pragma once

#include <optional>
#include <vector>

#include "calc/structures/siphon.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc {

struct SiphonQuestion {
  structures::SiphonInput input;
  double trialVelocity = 0;  // > 0: the diameter is sized from it
  structures::RoundingRule rounding = structures::RoundingRule::SiphonDiameter;
  bool typedEnds = false;  // v1, v2, v3 given for the design flow
};

std::vector<ReportLine> siphonReport(const SiphonQuestion& question, const structures::SiphonResult& result,
                                     const std::optional<structures::SiphonSizing>& sizing);

}  // namespace channelflow::calc
