// The calculation report (计算书) of a designed canal, in the order an
// engineer checks it: the design data, the three flows, the best section and
// the practical ones (or the section given), the design section's elements,
// the depths of the other flows, the bank, and the checks. Each step is a
// message of the one table: its formula, the numbers put in and the result,
// so that a front end renders it in either language and writes the tables
// (the schemes, the checks) where the report places them.
#pragma once

#include <cstdint>
#include <vector>

#include "calc/design/canal_design.h"
#include "calc/toolkit/phrase.h"

namespace channelflow::calc::design {

struct ReportLine {
  enum class Kind : std::uint8_t {
    Title,
    Heading,
    Step,
    Note,     // a remark on the step before
    Schemes,  // here the table of the Appendix E schemes
    Checks,   // here the list of checks
  };
  Kind kind = Kind::Step;
  Phrase text;  // none for Schemes and Checks
};

std::vector<ReportLine> designReport(const DesignQuestion& question, const DesignResult& design);

// "appendix-e", "beta", "width" or "check": the catalog's term for the sizing.
const char* sizingTerm(Sizing sizing);

// "low", "middle" or "high".
const char* pickTerm(Pick pick);

}  // namespace channelflow::calc::design
