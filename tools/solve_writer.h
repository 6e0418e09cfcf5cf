// The printed form of a uniform flow solved for one unknown: shared by
// `solve` and by its shortcuts solve-depth and solve-width.
#pragma once

#include "calc/toolkit/toolkit.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

namespace channelflow::tools {

// The second edition's form: the unknown's value first (both depths of a
// circle, with its capacity), then each answer's report.
void writeSolution(const calc::SolveAnswer& answer, OutputFormat format, OutputSink& out);

// The first edition's form: "正常水深 h = …" (text only) and the report's
// quantities in the first edition's layout.
void writeFirstEditionSolution(const calc::SolveAnswer& answer, OutputFormat format, OutputSink& out);

}  // namespace channelflow::tools
