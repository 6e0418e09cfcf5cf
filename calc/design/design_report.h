// The calculation report (计算书) of a designed canal, in the order an
// engineer checks it: the design data, the three flows, the best section and
// the practical ones (or the section given), the design section's elements,
// the depths of the other flows, the bank, and the checks. Each step is a
// message of the one table: its formula, the numbers put in and the result,
// so that a front end renders it in either language; the schemes and the
// checks are written in place.
#pragma once

#include <cstdint>
#include <vector>

#include "calc/design/canal_design.h"
#include "calc/design/design_checks.h"
#include "calc/toolkit/answer.h"

namespace channelflow::calc::design {

std::vector<ReportLine> designReport(const DesignQuestion& question, const DesignResult& design, const Table& schemes,
                                     const std::vector<DesignCheck>& checks);

// "appendix-e", "beta", "width" or "check": the catalog's term for the sizing.
const char* sizingTerm(Sizing sizing);

// "low", "middle" or "high".
const char* pickTerm(Pick pick);

}  // namespace channelflow::calc::design
