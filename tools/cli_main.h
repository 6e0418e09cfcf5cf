// The whole of channelflow-cli as a function: the same command line, read and
// written on the streams given, so that many command lines can run in one
// process (the cross-platform comparison runs thousands under an emulator).
#pragma once

#include "tools/cli_args.h"

namespace channelflow::tools {

// argv[0] is the program's name, as in main. Returns the exit status.
int runChannelflowCli(int argc, char** argv, const Streams& io);

}  // namespace channelflow::tools
