// The sub-commands of channelflow-cli: each a question of the core's table
// (tools/cli_main.cpp lists them) with the command line's view of it where it
// has one of its own, in tools/cmd_*.cpp.
#pragma once

#include "tools/cli_args.h"
#include "tools/sub_command.h"

#include <string_view>

namespace channelflow::tools {

extern const SubCommand kReport;
extern const SubCommand kSolve;
extern const SubCommand kSolveDepth;
extern const SubCommand kSolveWidth;
extern const SubCommand kProfile;
extern const SubCommand kDesign;
extern const SubCommand kRoughness;
extern const SubCommand kVelocityLimits;
extern const SubCommand kBatch;
extern const SubCommand kReach;
extern const SubCommand kLine;

// `channelflow-cli click`: the click stream of tools/cli_click.h on stdin and stdout.
int runClick(int argc, char** argv, const Streams& io);

// The five-argument form: the window's click on five box texts, and the general --help.
int runFiveBoxes(int argc, char** argv, const Streams& io);

// Whether the line opens sub-command `name`: argv[1] is the name, unless it is
// the first of exactly five texts none of which starts with "--" (that has
// always been the five-argument form, where such a bottom width reads as 0).
bool opensSubCommand(std::string_view name, int argc, char** argv);

// Whether the line uses only what the first edition knew (a trapezoid's B, m and n).
bool isFirstEditionLine(const Options& options);

}  // namespace channelflow::tools
