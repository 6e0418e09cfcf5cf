// A canal design as the command line writes it: the calculation report as
// text, or the items, schemes and checks as CSV (three tables, a blank line
// between) or one JSON object with "schemes" and "checks" arrays.
#pragma once

#include "calc/toolkit/toolkit.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

namespace channelflow::tools {

void writeDesign(const calc::DesignAnswer& answer, OutputFormat format, OutputSink& out);

}  // namespace channelflow::tools
