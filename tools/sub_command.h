// One driver for every sub-command of channelflow-cli: its own --help page,
// --version, the usage checks before any work (exit 2), the work itself
// (exit 1 with a message for a question without an answer) and the check
// that all output was written (exit 1 when any of it was lost).
#pragma once

#include "tools/cli_args.h"
#include "tools/output_sink.h"

#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

namespace channelflow::tools {

inline constexpr std::string_view kVersionLine = "channelflow-cli 1.00\n";

struct SubCommand {
  std::string_view name;
  std::string_view help;                // the page `channelflow-cli NAME --help` prints
  std::vector<OptionRule> options;      // --format is always allowed
  // Does the work; throws calc::CalcError.
  int (*run)(const Options& options, std::FILE* in, OutputSink& out, std::FILE* err);
};

// The sub-command's own options followed by the channel options.
std::vector<OptionRule> withChannelOptions(std::initializer_list<OptionRule> own);

// Runs `channelflow-cli NAME ARGS...` (argv[1] is the name) and returns its exit status.
int runSubCommand(const SubCommand& command, int argc, char** argv, const Streams& io);

// The message of a problem as the command line prints it, inputs named --B.
std::string problemText(const calc::Problem& problem);

}  // namespace channelflow::tools
