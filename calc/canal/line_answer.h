// A canal line and its levels as the question answers them (calc/questions/
// line.cpp): kept together, since the answer's tables are made as they are
// written; its calculation report; and its longitudinal profile as a DXF file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calc/canal/canal_line.h"
#include "calc/toolkit/answer.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {

struct LineAnswerData {
  CanalLine line;
  LineResult result;
};

// The line of the question's inputs (file, level or control-level, ...),
// computed. Throws CalcError.
std::shared_ptr<LineAnswerData> lineAnswerData(const Inputs& inputs);

// The calculation report (计算书): the data, the plan, how each flow is
// marched, each structure's fall at each flow, the banks and the checks.
std::vector<ReportLine> lineReport(const LineAnswerData& data);

// The longitudinal profile (纵断面图) as a drawing exchange file, lengths at
// 1:horizontal and heights at 1:vertical.
inline constexpr double kDefaultProfileScale = 5000;
inline constexpr double kDefaultProfileVerticalScale = 100;
std::string profileDxf(const LineAnswerData& data, double horizontal, double vertical);

// The profile's DXF from the question's inputs, at dxf-scale and dxf-vscale; throws CalcError.
std::string lineDxf(const Inputs& inputs);

}  // namespace channelflow::calc
