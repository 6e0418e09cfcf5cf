// The commands of channelflow-cli. Each sub-command lives in its own
// tools/cmd_*.cpp and runs as `channelflow-cli NAME ARGS...` with argv[1] the
// name; each returns the exit status.
#pragma once

#include "tools/cli_args.h"
#include "tools/output_sink.h"

#include <cstdio>
#include <string_view>

namespace channelflow::tools {

int runReport(int argc, char** argv, const Streams& io);
int runSolveDepth(int argc, char** argv, const Streams& io);
int runSolveWidth(int argc, char** argv, const Streams& io);
int runTable(int argc, char** argv, const Streams& io);
int runSolve(int argc, char** argv, const Streams& io);
int runJump(int argc, char** argv, const Streams& io);
int runProfile(int argc, char** argv, const Streams& io);
int runDesign(int argc, char** argv, const Streams& io);
int runRoughness(int argc, char** argv, const Streams& io);
int runVelocityLimits(int argc, char** argv, const Streams& io);
int runBatchCommand(int argc, char** argv, const Streams& io);
// `channelflow-cli click`: the click stream of tools/cli_click.h on stdin and stdout.
int runClick(int argc, char** argv, const Streams& io);

// The five-argument form: the window's click on five box texts, and the general --help.
int runFiveBoxes(int argc, char** argv, const Streams& io);

// Whether the line opens sub-command `name`: argv[1] is the name, unless it is
// the first of exactly five texts none of which starts with "--" (that has
// always been the five-argument form, where such a bottom width reads as 0).
bool opensSubCommand(std::string_view name, int argc, char** argv);

// The batch itself: CSV rows in, the same rows with every quantity (or an
// error column) out, streaming. Returns the exit status; writes its messages
// on `err`. Output failures are left for the caller to find on `out`.
int runBatch(OutputFormat format, std::FILE* in, OutputSink& out, std::FILE* err);

}  // namespace channelflow::tools
