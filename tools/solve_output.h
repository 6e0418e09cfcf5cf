// The uniform flow with one unknown, solved on the sections core and printed:
// shared by `solve` and by the shortcuts solve-depth and solve-width when
// their line goes beyond the first edition.
#pragma once

#include "calc/solve.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

namespace channelflow::tools {

// Reads the channel, Q, h (each unless it is the unknown) from the options,
// which checkChannelUsage has passed, solves and prints. Returns 0; throws
// InputError or sections::FlowError when there is no answer.
int printUniformSolution(const Options& options, sections::Unknown unknown, OutputSink& out);

}  // namespace channelflow::tools
